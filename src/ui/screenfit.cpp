#include "ui/screenfit.h"

#include "platform/forms.h"
#include "platform/screens.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <optional>
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

// How long after showing a window the system may take to frame it, and how
// long its place takes to settle once framed: while a window manager frames
// a window, Qt may report it for a moment at the screen's corner.
constexpr int FramingMs = 3000;
constexpr int SettleMs = 200;

class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* window, std::optional<QPoint> frameAt)
        : QObject(window), window_(window), frameAt_(frameAt), clientAt_(window->geometry().topLeft())
    {
        setObjectName(Name);
        window->installEventFilter(this);
        settle_.setSingleShot(true);
        settle_.setInterval(SettleMs);
        connect(&settle_, &QTimer::timeout, this, &FrameWatch::place);
    }
    static constexpr const char* Name = "frameWatch";

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            QTimer::singleShot(FramingMs, this, [this] {
                if (!settle_.isActive())
                    deleteLater();
            });
            [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
            if (window_->isVisible() && framed(window_))
                settle_.start();
            break;
        default: break;
        }
        return false;
    }

private:
    void place()
    {
        if (!window_->isVisible() || !framed(window_))
            return;
        // Unless moved since (the user's move stays).
        if (frameAt_ && window_->geometry().topLeft() == clientAt_ && window_->frameGeometry().topLeft() != *frameAt_)
            window_->move(*frameAt_);
        keepOnScreen(window_);
        window_->removeEventFilter(this);
        deleteLater();
    }

    QWidget* window_;
    std::optional<QPoint> frameAt_;
    QPoint clientAt_;
    QTimer settle_;
};

void watchFraming(QWidget* window, std::optional<QPoint> frameAt)
{
    if (window && !window->findChild<QObject*>(QLatin1String(FrameWatch::Name), Qt::FindDirectChildrenOnly))
        new FrameWatch(window, frameAt);
}

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
    watchFraming(window, std::nullopt);
}

void keepFramePlaceWhenFramed(QWidget* window)
{
    if (!window)
        return;
    if (framed(window)) {
        keepOnScreenWhenFramed(window);
        return;
    }
    const QPoint frameAt = window->pos();
    QWidgetList others = QApplication::topLevelWidgets();
    others.prepend(QApplication::activeWindow());
    for (const QWidget* other : others) {
        if (other && other != window && other->isVisible() && framed(other) &&
            (other->windowType() == Qt::Window || other->windowType() == Qt::Dialog) &&
            !(other->windowFlags() & Qt::FramelessWindowHint)) {
            // Unframed, move() places the client.
            window->move(frameAt + (other->geometry().topLeft() - other->frameGeometry().topLeft()));
            break;
        }
    }
    watchFraming(window, frameAt);
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
