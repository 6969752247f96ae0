// Thin entry point: everything lives in the libraries.
#include "app/gui/sessionend.h"
#include "app/modmain.h"
#include "cli/report.h"
#include "ui/registerwindows.h"

#include <QApplication>
#include <QWidget>

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

// Start-up timing: with QUILLMARK_EXIT_AFTER_SHOW set, the program ends as
// soon as its first window has painted.
class ExitOnFirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            QCoreApplication::exit(0);
        return false;
    }
};

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
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("QUILLMARK_EXIT_AFTER_SHOW"))
        app.installEventFilter(new ExitOnFirstPaint(&app));
    ui::registerWindows();
    SessionEnd sessionEnd;
    Main();
    return app.exec();
}
