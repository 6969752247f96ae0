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

#include <unistd.h>

int main(int argc, char** argv)
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
