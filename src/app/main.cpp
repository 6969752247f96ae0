// Thin entry point. Any argument asks for the terminal report, which needs no
// toolkit; without arguments the windows are loaded from a module beside the
// program, so a report run never loads the toolkit's libraries.
#include "cli/report.h"
#include "platform/appinfo.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <dlfcn.h>

namespace {

// Where windows cannot be shown, say so and name what does work, rather than
// letting the toolkit abort.
bool displayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

int runWindows(int argc, char** argv)
{
    const std::string path = platform::AppPath() + "/" QM_WINDOW_MODULE;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Entry = int (*)(int, char**);
    Entry entry = module ? reinterpret_cast<Entry>(dlsym(module, "quillmark_window_main")) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "quillmark: cannot load the windows from %s: %s\n", path.c_str(), dlerror());
        return 1;
    }
    return entry(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        return cli::ReportMain(argc, argv);
    if (!displayAvailable()) {
        std::fputs("quillmark: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                   "for the calculation in the terminal run: quillmark --report ADDRESS/BITS\n",
                   stderr);
        return 1;
    }
    return runWindows(argc, argv);
}
