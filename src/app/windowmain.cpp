// The window program: the calculator's windows, started by the program when
// it runs without arguments, so that the terminal report starts without the
// widget libraries.
#include "app/clsapp.h"
#include "app/gui/sessionend.h"
#include "app/modmain.h"
#include "cli/addressinput.h"
#include "ui/registerwindows.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

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

} // namespace

int main(int argc, char** argv)
{
    // The toolkit would take some arguments as its own options; the windows
    // understand none.
    if (argc > 1) {
        std::fprintf(stderr, "quillmark: the windows take no arguments, not %s; for the calculation in the "
                             "terminal run: quillmark --report ADDRESS/BITS\n",
                     cli::Shown(argv[1]).c_str());
        return 2;
    }
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
    const int status = app.exec();
    // The event loop can end without the program's own way out (the timing
    // hook above): the application object goes first, while the error handler
    // its destructor reports to still exists.
    gApp.reset();
    return status;
}
