#include "ui/zoom.h"

#include <gtest/gtest.h>

// Zooming in goes as far as every window, frame included, fits its screen's
// available area; zooming out is never held back.
TEST(ZoomFit, ZoomingInStopsAtTheLargestStepEveryWindowFitsIn)
{
    const zoom::SizeAt calculator = [](int p) { return QSize(zoom::px(8160, p), zoom::px(5175, p)); };
    const zoom::SizeAt other = [](int p) { return QSize(700, 300) * p / 100; };
    const QMargins none, framed(4, 24, 4, 4), wide(30, 24, 30, 4);
    const QRect sxga(0, 0, 1280, 1024), uhd(0, 0, 3840, 2160), small(0, 0, 640, 480);
    struct Case {
        const char* what;
        int from, wanted;
        std::vector<zoom::WindowFit> windows;
        int expected;
    } const cases[] = {
        {"1280x1024 holds 225% (1224 wide)", 100, 300, {{calculator, framed, sxga}}, 225},
        {"no further", 225, 250, {{calculator, framed, sxga}}, 225},
        {"a wide frame", 100, 300, {{calculator, wide, sxga}}, 200},
        {"the height limits", 100, 300, {{calculator, none, QRect(0, 0, 4000, 700)}}, 200},
        {"a panel takes some height", 100, 300, {{calculator, framed, QRect(0, 40, 1280, 700)}}, 175},
        {"800x600", 100, 300, {{calculator, none, QRect(0, 0, 800, 600)}}, 125},
        {"a large screen", 100, 350, {{calculator, framed, uhd}}, 300},
        {"between steps", 100, 260, {{calculator, framed, uhd}}, 250},
        {"the other window limits", 100, 300, {{calculator, framed, sxga}, {other, framed, sxga}}, 175},
        {"each on its screen", 100, 300, {{calculator, framed, uhd}, {other, framed, sxga.translated(3840, 0)}}, 175},
        {"nothing larger fits", 150, 175, {{calculator, none, small}}, 150},
        {"zooming out", 250, 125, {{calculator, none, small}}, 125},
        {"no windows", 100, 300, {}, 300},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zoom::largestFittingStep(c.from, c.wanted, c.windows), c.expected) << c.what;
}
