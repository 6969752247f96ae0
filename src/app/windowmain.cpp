// The window half of the program: a module the program loads only when it
// shows its windows, so that the terminal report starts without the widget
// libraries.
#include "app/clsapp.h"
#include "app/gui/sessionend.h"
#include "app/modmain.h"
#include "ui/registerwindows.h"

#include <QApplication>
#include <QWidget>

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

} // namespace

extern "C" Q_DECL_EXPORT int quillmark_window_main(int argc, char** argv)
{
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
