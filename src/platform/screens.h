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

// Where a window should go so that the user can reach it: unchanged when its
// title strip is on a screen (or no screen is known), otherwise moved onto the
// nearest screen (and, when sizable and larger than that screen, shrunk to it).
WindowRect PlaceOnScreen(const WindowRect& window, const std::vector<QRect>& screens, bool sizable);

} // namespace platform
