// Thin entry point. Any argument asks for the terminal report, which needs no
// toolkit; without arguments the program becomes the window program beside
// it, so a report run never loads the toolkit's libraries (nor, linked as it
// is, the shared C++ runtime).
#include "cli/report.h"
#include "platform/appinfo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc > 1)
        return cli::ReportMain(argc, argv);
    // argv[0] stays as it was: the windows take their class name from it.
    const std::string path = platform::AppPath() + "/" QM_WINDOW_PROGRAM;
    execv(path.c_str(), argv);
    std::fprintf(stderr, "quillmark: cannot start the windows from %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
}
