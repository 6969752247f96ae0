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

// Plain 64-bit edges: saved values can be anything a 32-bit number holds.
struct Box {
    qint64 left, top, width, height;
    qint64 right() const { return left + width; }
    qint64 bottom() const { return top + height; }
};

Box boxOf(const QRect& r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

qint64 overlap(qint64 start, qint64 end, qint64 otherStart, qint64 otherEnd)
{
    return std::max<qint64>(0, std::min(end, otherEnd) - std::max(start, otherStart));
}

// Distance between two spans along one axis (0 when they meet).
qint64 gap(qint64 start, qint64 end, qint64 otherStart, qint64 otherEnd)
{
    return std::max<qint64>({0, otherStart - end, start - otherEnd});
}

// The least move that brings [pos, pos + size) into [start, start + length);
// one too large for it starts at the start.
qint64 moveInto(qint64 pos, qint64 size, qint64 start, qint64 length)
{
    if (size >= length)
        return start;
    return std::clamp(pos, start, start + length - size);
}

const QRect& nearestScreen(const Box& w, const std::vector<QRect>& screens)
{
    const QRect* best = &screens.front();
    qint64 bestOverlap = -1;
    double bestDistance = std::numeric_limits<double>::max();
    for (const QRect& r : screens) {
        const Box s = boxOf(r);
        const qint64 area =
            overlap(w.left, w.right(), s.left, s.right()) * overlap(w.top, w.bottom(), s.top, s.bottom());
        // Saved edges may be anything: squared in floating point.
        const double dx = double(gap(w.left, w.right(), s.left, s.right()));
        const double dy = double(gap(w.top, w.bottom(), s.top, s.bottom()));
        const double distance = dx * dx + dy * dy;
        if (area > bestOverlap || (area == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &r;
            bestOverlap = area;
            bestDistance = distance;
        }
    }
    return *best;
}
} // namespace

QRect NearestScreen(const QRect& outer, const std::vector<QRect>& screens)
{
    return nearestScreen(boxOf(outer), screens);
}

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

WindowRect PlaceOnScreen(const WindowRect& client, const FrameMargins& frame, const std::vector<QRect>& screens,
                         bool sizable)
{
    if (screens.empty())
        return client;
    const qint64 frameWidth = qint64(frame.left) + frame.right;
    const qint64 frameHeight = qint64(frame.top) + frame.bottom;
    Box outer{qint64(client.left) - frame.left, qint64(client.top) - frame.top,
              std::max<qint64>(client.width, 1) + frameWidth, std::max<qint64>(client.height, 1) + frameHeight};
    const Box s = boxOf(nearestScreen(outer, screens));
    WindowRect placed = client;
    if (sizable) {
        if (outer.width > s.width) {
            placed.width = int(std::max<qint64>(1, s.width - frameWidth));
            outer.width = placed.width + frameWidth;
        }
        if (outer.height > s.height) {
            placed.height = int(std::max<qint64>(1, s.height - frameHeight));
            outer.height = placed.height + frameHeight;
        }
    }
    placed.left = int(moveInto(outer.left, outer.width, s.left, s.width) + frame.left);
    placed.top = int(moveInto(outer.top, outer.height, s.top, s.height) + frame.top);
    return placed;
}

} // namespace platform
