#include "ui/screenfit.h"

#include "platform/forms.h"
#include "platform/screens.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ui {

namespace {

using platform::pxToTwips;
using platform::twipsToPx;

platform::FrameMargins marginsOf(const QWidget* w)
{
    const QRect frame = w->frameGeometry();
    const QRect client = w->geometry();
    return {pxToTwips(client.left() - frame.left()), pxToTwips(client.top() - frame.top()),
            pxToTwips(frame.right() - client.right()), pxToTwips(frame.bottom() - client.bottom())};
}

bool framed(const QWidget* w)
{
    return w->frameGeometry() != w->geometry();
}

// How long after showing a window the system may take to frame it.
constexpr int FramingMs = 3000;

class FrameWatch : public QObject {
public:
    explicit FrameWatch(QWidget* window) : QObject(window), window_(window)
    {
        setObjectName(Name);
        window->installEventFilter(this);
    }
    static constexpr const char* Name = "frameWatch";

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_)
            return false;
        switch (event->type()) {
        case QEvent::Show: QTimer::singleShot(FramingMs, this, [this] { deleteLater(); }); [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
            if (window_->isVisible() && framed(window_)) {
                keepOnScreen(window_);
                deleteLater();
                window_->removeEventFilter(this);
            }
            break;
        default: break;
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void keepOnScreen(QWidget* window)
{
    if (!window || window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QRect client = window->geometry();
    const platform::WindowRect was{pxToTwips(client.left()), pxToTwips(client.top()), pxToTwips(client.width()),
                                   pxToTwips(client.height())};
    const platform::WindowRect placed =
        platform::PlaceOnScreen(was, marginsOf(window), platform::AvailableScreens(), false);
    if (placed == was)
        return;
    // move() places the frame's corner.
    const QPoint by(twipsToPx(placed.left - was.left), twipsToPx(placed.top - was.top));
    window->move(window->frameGeometry().topLeft() + by);
}

void keepOnScreenWhenFramed(QWidget* window)
{
    if (window && !window->findChild<QObject*>(QLatin1String(FrameWatch::Name), Qt::FindDirectChildrenOnly))
        new FrameWatch(window);
}

bool centreOverOpener(QWidget* window)
{
    QWidget* owner = QApplication::activeWindow();
    if (!owner || owner == window)
        return false;
    QRect r = window->frameGeometry();
    r.moveCenter(owner->frameGeometry().center());
    window->move(r.topLeft());
    return true;
}

} // namespace ui
