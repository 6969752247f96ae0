// Thin entry point: everything lives in the libraries. The windows are in a
// module beside the program, loaded only to show them: the terminal report
// starts without the widget libraries.
#include "cli/report.h"
#include "platform/appinfo.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

#include <dlfcn.h>

namespace {

// Where windows cannot be shown, say so and name what does work, rather than
// letting the toolkit abort.
bool displayAvailable()
{
#ifdef Q_OS_LINUX
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

int runWindows(int argc, char** argv)
{
    const QByteArray module = (platform::AppPath() + QStringLiteral("/" QM_WINDOW_MODULE)).toLocal8Bit();
    void* handle = dlopen(module.constData(), RTLD_NOW | RTLD_LOCAL);
    using Entry = int (*)(int, char**);
    Entry entry = handle ? reinterpret_cast<Entry>(dlsym(handle, "quillmark_window_main")) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "quillmark: cannot load the windows from %s: %s\n", module.constData(), dlerror());
        return 1;
    }
    return entry(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    // The terminal report needs no display: it runs before any window exists.
    if (cli::IsReportCommandLine(argc, argv))
        return cli::ReportMain(argc, argv);
    if (!displayAvailable()) {
        std::fputs("quillmark: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                   "for the calculation in the terminal run: quillmark --report ADDRESS/BITS\n",
                   stderr);
        return 1;
    }
    return runWindows(argc, argv);
}
