#include "platform/screens.h"

#include "platform/forms.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace platform {

namespace {
ScreenProvider& provider()
{
    static ScreenProvider p;
    return p;
}

// How much of the window's top strip must be on a screen for the user to
// grab it: 30 by 100 pixels (or all of a smaller window).
constexpr int GripHeight = 30 * TwipsPerPixel;
constexpr int GripWidth = 100 * TwipsPerPixel;

// Plain 64-bit edges: saved values can be anything a 32-bit number holds.
struct Span {
    qint64 start;
    qint64 length;
};

// Distance from the span to the screen's span along one axis (0 when they meet).
qint64 gap(const Span& w, qint64 start, qint64 length)
{
    if (w.start + w.length <= start)
        return start - (w.start + w.length) + 1;
    if (start + length <= w.start)
        return w.start - (start + length) + 1;
    return 0;
}

qint64 overlap(const Span& w, qint64 start, qint64 length)
{
    return std::max<qint64>(0, std::min(w.start + w.length, start + length) - std::max(w.start, start));
}

qint64 clampInto(qint64 pos, qint64 size, qint64 start, qint64 length)
{
    if (size >= length)
        return start;
    return std::clamp(pos, start, start + length - size);
}
} // namespace

std::vector<QRect> AvailableScreens()
{
    if (provider())
        return provider()();
    std::vector<QRect> out;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return out;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->availableGeometry();
        out.emplace_back(pxToTwips(g.left()), pxToTwips(g.top()), pxToTwips(g.width()), pxToTwips(g.height()));
    }
    return out;
}

ScreenProvider setScreenProvider(ScreenProvider p)
{
    ScreenProvider old = std::move(provider());
    provider() = std::move(p);
    return old;
}

WindowRect PlaceOnScreen(const WindowRect& window, const std::vector<QRect>& screens, bool sizable)
{
    if (screens.empty())
        return window;
    Span h{window.left, std::max<qint64>(window.width, 1)};
    Span v{window.top, std::max<qint64>(window.height, 1)};
    const Span grip{v.start, std::min<qint64>(v.length, GripHeight)};

    for (const QRect& s : screens) {
        const qint64 seenWidth = overlap(h, s.left(), s.width());
        const qint64 seenHeight = overlap(grip, s.top(), s.height());
        if (seenWidth > 0 && seenHeight > 0 && seenWidth >= std::min<qint64>(h.length, GripWidth) &&
            seenHeight >= std::min<qint64>(grip.length, GripHeight / 2))
            return window;
    }

    const QRect* nearest = &screens.front();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect& s : screens) {
        // Squares of numbers below 2^33 stay well inside 64 bits.
        const qint64 dx = gap(h, s.left(), s.width());
        const qint64 dy = gap(v, s.top(), s.height());
        const qint64 d = dx * dx + dy * dy;
        if (d < best) {
            best = d;
            nearest = &s;
        }
    }
    const QRect& s = *nearest;
    if (sizable) {
        h.length = std::min<qint64>(h.length, s.width());
        v.length = std::min<qint64>(v.length, s.height());
    }
    WindowRect placed;
    placed.left = int(clampInto(h.start, h.length, s.left(), s.width()));
    placed.top = int(clampInto(v.start, v.length, s.top(), s.height()));
    placed.width = sizable && window.width > s.width() ? s.width() : window.width;
    placed.height = sizable && window.height > s.height() ? s.height() : window.height;
    return placed;
}

} // namespace platform
