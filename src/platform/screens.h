#pragma once
// The screens a window can be placed on, in twips. A window restored from
// saved settings is brought back onto one of them.
#include <QRect>
#include <functional>
#include <vector>

namespace platform {

// The available area (without task bars) of every screen, in twips; empty
// when nothing is known (no window system).
std::vector<QRect> AvailableScreens();

using ScreenProvider = std::function<std::vector<QRect>()>;
// Tests describe their own screens; an empty provider restores the real ones.
ScreenProvider setScreenProvider(ScreenProvider provider);

// The screen a window is on (all in twips): the one its outer rectangle
// overlaps most, else the closest. `screens` must not be empty.
QRect NearestScreen(const QRect& outer, const std::vector<QRect>& screens);

// An outer window rectangle in twips.
struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// What the window system draws around a window's client area (title bar and
// borders), in twips.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a window goes so that all of it, frame and title bar included, lies
// inside the available area of its nearest screen (the one it overlaps most,
// else the closest): moved the least distance, and unchanged when it is
// inside already or no screen is known. A window larger than the screen keeps
// its top-left corner, and so its title bar, on it; a sizable one is shrunk
// to the screen instead. `client` is the client area and so is the result.
WindowRect PlaceOnScreen(const WindowRect& client, const FrameMargins& frame, const std::vector<QRect>& screens,
                         bool sizable);

} // namespace platform
