// Thin entry point: everything lives in the libraries. The windows are in a
// module beside the program, loaded only to show them: the terminal report
// starts without the widget libraries.
#include "cli/report.h"
#include "platform/appinfo.h"
#include "platform/qtstrings.h"

#include <QByteArray>
#include <QLibrary>
#include <QString>

#include <cstdio>

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
    QLibrary module(platform::qstr(platform::AppPath()) + QStringLiteral("/" QM_WINDOW_MODULE));
    using Entry = int (*)(int, char**);
    auto entry = reinterpret_cast<Entry>(module.resolve("quillmark_window_main"));
    if (!entry) {
        std::fprintf(stderr, "quillmark: cannot load the windows: %s\n", qPrintable(module.errorString()));
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
