// Thin entry point. Any argument asks for the terminal report, which needs no
// toolkit; without arguments the program becomes the window program beside
// it, so a report run never loads the toolkit's libraries (nor, linked as it
// is, the shared C++ runtime).
#include "cli/command.h"
#include "platform/appinfo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef QM_NO_WINDOWS
// A build of the terminal program alone (the Windows one): nothing to hand
// over to.
namespace {
int Run(int argc, char** argv)
{
    if (argc > 1)
        return cli::Main(argc, argv);
    std::fputs("quillmark: the windows are not part of this build; for the calculation in the terminal run: "
               "quillmark --report ADDRESS/BITS, or see quillmark --help\n",
               stderr);
    return cli::kExitBadInput;
}
} // namespace
#else
namespace {
int Run(int argc, char** argv)
{
    if (argc > 1)
        return cli::Main(argc, argv);
    // Never a window program from the current folder: where the program's
    // own folder is unknown, there is nothing safe to start.
    const std::string folder = platform::ProgramFolder();
    if (folder.empty()) {
        std::fputs("quillmark: cannot tell the program's own folder (is /proc mounted?), so cannot start the "
                   "windows; for the calculation in the terminal run: quillmark --report ADDRESS/BITS\n",
                   stderr);
        return 1;
    }
    const std::string path = folder + "/" QM_WINDOW_PROGRAM;
    // argv[0] stays as it was: the windows take their class name from it.
    char fallbackName[] = "quillmark";
    char* fallback[] = {fallbackName, nullptr};
    execv(path.c_str(), argv[0] ? argv : fallback);
    std::fprintf(stderr, "quillmark: cannot start the windows from %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
}
} // namespace
#endif

#ifdef _WIN32
// The C runtime's argv is in the ANSI code page, which cannot hold every
// character typed; the arguments go on as UTF-8, as everywhere else.
int wmain(int argc, wchar_t** wargv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wargv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size_t(n > 0 ? n : 1), '\0');
        if (n > 0)
            WideCharToMultiByte(CP_UTF8, 0, wargv[i], -1, arg.data(), n, nullptr, nullptr);
        arg.pop_back();
        args.push_back(std::move(arg));
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return Run(argc, argv.data());
}
#else
int main(int argc, char** argv)
{
    return Run(argc, argv);
}
#endif
