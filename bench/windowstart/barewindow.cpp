// The reference for the window's start: a Qt window with one label, the
// calculator's size. It ends on its first paint, as the calculator does under
// QUILLMARK_EXIT_AFTER_SHOW; with --before-paint it quits on the first turn
// of the event loop instead, which is usually before the display has asked
// for a paint.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstring>

namespace {
class EndOnFirstPaint : public QObject {
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
    const bool beforePaint = argc > 1 && std::strcmp(argv[1], "--before-paint") == 0;
    QApplication app(argc, argv);
    if (beforePaint)
        QTimer::singleShot(0, &app, &QApplication::quit);
    else
        app.installEventFilter(new EndOnFirstPaint(&app));
    QLabel label(QStringLiteral("192.168.1.77"));
    label.resize(544, 345);
    label.show();
    return app.exec();
}
