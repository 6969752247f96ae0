// The binary row label, drawn.
#include "ui/main/binarylabel.h"
#include "ui/main/mainlayout.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

#include <algorithm>

// The first and last ink column (device pixels) of the upper half of a
// picture drawn black on white: clear of the dots.
static std::pair<int, int> inkSpan(const QImage& image)
{
    std::pair<int, int> span{-1, -1};
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height() / 2; ++y)
            if (qGray(image.pixel(x, y)) < 160) {
                span = {span.first < 0 ? x : span.first, x};
                break;
            }
    return span;
}

// Every character stays within a device pixel of its cell, whose edges are
// the portion bars' edges. Run again on a screen scaled to twice the size
// (QT_SCALE_FACTOR=2), where fractions of a pixel are drawn.
TEST(BinaryRowLabel, EachCharacterStaysInItsCellAtEveryZoomAndAtTwiceTheScale)
{
    const QString row = QStringLiteral("11000000.10101000.00000001.00000001");
    const int dpr = qRound(qApp->devicePixelRatio());
    for (int percent = zoom::Normal; percent <= zoom::Largest; percent += zoom::Step) {
        SCOPED_TRACE(std::to_string(percent) + "% x" + std::to_string(dpr));
        BinaryLabel label;
        label.setFont(mainlayout::designFont(label.font(), percent));
        label.setPalette(QPalette(Qt::black, Qt::white, Qt::white, Qt::black, Qt::gray, Qt::black, Qt::white));
        label.setGrid(1800, percent);
        label.setText(row);
        label.resize(label.sizeHint());
        EXPECT_EQ(label.width(), zoom::px(1800 + 3015, percent) - zoom::px(1800, percent));
        // The digits are painted in the largest size, up to the label's own,
        // whose widest digit leaves a pixel free in the narrowest cell.
        int narrowest = label.width();
        for (int k = 0; k < 8; ++k)
            narrowest = std::min(narrowest, label.cellLeft(row, k + 1) - label.cellLeft(row, k));
        auto widestDigit = [](const QFont& f) {
            const QFontMetricsF fm(f);
            return std::max(fm.boundingRect(QLatin1Char('0')).width(), fm.boundingRect(QLatin1Char('1')).width());
        };
        const QFont digits = label.gridFont();
        const int px = QFontInfo(digits).pixelSize();
        EXPECT_LE(widestDigit(digits), narrowest - 1);
        if (px < QFontInfo(label.font()).pixelSize()) {
            QFont larger = digits;
            larger.setPixelSize(px + 1);
            EXPECT_GT(widestDigit(larger), narrowest - 1) << px;
        }
        // One digit at a time, the others blank.
        for (int i : {0, 7, 9, 16, 18, 25, 27, 34}) {
            QString alone = row;
            for (int k = 0; k < row.size(); ++k)
                if (k != i && row[k] != QLatin1Char('.'))
                    alone[k] = QLatin1Char(' ');
            label.setText(alone);
            QPixmap picture(label.size() * dpr);
            picture.setDevicePixelRatio(dpr);
            picture.fill(Qt::white);
            label.render(&picture);
            const auto [first, last] = inkSpan(picture.toImage());
            ASSERT_GE(first, 0) << i;
            EXPECT_GE(first, label.cellLeft(row, i) * dpr - 1) << i;
            EXPECT_LE(last, label.cellLeft(row, i + 1) * dpr) << i;
        }
    }
}
