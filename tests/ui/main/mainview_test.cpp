#include "ui/main/mainview.h"

#include <gtest/gtest.h>

namespace {

// Bars in twips (left, width of the network, subnet and host bar) for a row's
// portions, the network bar at 1800 under the first digit.
TEST(MainView, BarsSpanTheirPortionsDigits)
{
    struct Row {
        int network, subnet;
        int bars[3][2];
    };
    const Row rows[] = {
        {24, 0, {{1800, 2250}, {4095, 0}, {4095, 740}}},   // 192.168.1.1/24
        {24, 2, {{1800, 2250}, {4095, 180}, {4275, 560}}}, // 192.168.1.1/26
        {16, 4, {{1800, 1485}, {3330, 360}, {3690, 1145}}}, // 172.16.5.10/20
        {8, 12, {{1800, 720}, {2565, 1125}, {3690, 1145}}}, // 10.1.2.3/20
        {8, 23, {{1800, 720}, {2565, 2160}, {4725, 110}}},  // 10.1.2.3/31
        {8, 16, {{1800, 720}, {2565, 1485}, {4050, 785}}},  // 224.0.0.1/24
        // Supernets: the network bar ends on the mask's last digit.
        {16, 0, {{1800, 1485}, {3330, 0}, {3330, 1505}}},  // 192.168.1.77/16
        {20, 0, {{1800, 1890}, {3690, 0}, {3690, 1145}}},  // 192.168.1.77/20
    };
    for (const Row& r : rows) {
        const auto bars = mainview::RowBars(r.network, r.subnet);
        for (size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(bars[k].left, r.bars[k][0]) << r.network << "+" << r.subnet << " bar " << k;
            EXPECT_EQ(bars[k].width, r.bars[k][1]) << r.network << "+" << r.subnet << " bar " << k;
        }
    }
}

} // namespace
