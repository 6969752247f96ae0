#include "ui/zoom.h"

#include <gtest/gtest.h>

using zoom::largestFittingStep;
using zoom::WindowFit;

namespace {

// The calculator's client area at a zoom, and a window that grows linearly.
QSize mainWindow(int percent)
{
    return {zoom::px(8160, percent), zoom::px(5175, percent)};
}
zoom::SizeAt grows(QSize at100)
{
    return [at100](int percent) { return at100 * percent / 100; };
}

} // namespace

// Zooming in goes as far as every window, frame included, fits its screen's
// available area; zooming out is never held back.
TEST(ZoomFit, ZoomingInStopsAtTheLargestStepEveryWindowFitsIn)
{
    const QMargins none;
    const QMargins framed(4, 24, 4, 4);
    const QRect sxga(0, 0, 1280, 1024);
    struct Case {
        const char* what;
        int from, wanted;
        std::vector<WindowFit> windows;
        int expected;
    };
    const Case cases[] = {
        {"1280x1024: 225% is 1224 wide", 100, 300, {{mainWindow, framed, sxga}}, 225},
        {"one step at a time", 200, 225, {{mainWindow, framed, sxga}}, 225},
        {"no further", 225, 250, {{mainWindow, framed, sxga}}, 225},
        {"a wide frame", 100, 300, {{mainWindow, QMargins(30, 24, 30, 4), sxga}}, 200},
        {"the height limits", 100, 300, {{mainWindow, none, QRect(0, 0, 4000, 700)}}, 200},
        {"a panel takes the height", 100, 300, {{mainWindow, framed, QRect(0, 40, 1280, 700)}}, 175},
        {"800x600", 100, 300, {{mainWindow, none, QRect(0, 0, 800, 600)}}, 125},
        {"a large screen", 100, 350, {{mainWindow, framed, QRect(0, 0, 3840, 2160)}}, 300},
        {"the other window limits",
         100,
         300,
         {{mainWindow, framed, sxga}, {grows(QSize(700, 300)), framed, sxga}},
         175},
        {"each on its own screen",
         100,
         300,
         {{mainWindow, framed, QRect(0, 0, 3840, 2160)}, {grows(QSize(700, 300)), framed, QRect(3840, 0, 1280, 1024)}},
         175},
        {"nothing fits already", 150, 175, {{mainWindow, none, QRect(0, 0, 640, 480)}}, 150},
        {"zooming out", 250, 125, {{mainWindow, none, QRect(0, 0, 640, 480)}}, 125},
        {"back to 100%", 300, 100, {{mainWindow, framed, sxga}}, 100},
        {"no windows", 100, 300, {}, 300},
        {"between steps", 100, 260, {{mainWindow, framed, QRect(0, 0, 3840, 2160)}}, 250},
    };
    for (const Case& c : cases)
        EXPECT_EQ(largestFittingStep(c.from, c.wanted, c.windows), c.expected) << c.what;
}
