// The main window's own controls: the spin control and the binary row label.
#include "ui/main/binarylabel.h"
#include "ui/main/mainlayout.h"
#include "ui/main/updown.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace {
QPoint upper(const UpDown& u)
{
    return {u.width() / 2, 1};
}
QPoint lower(const UpDown& u)
{
    return {u.width() / 2, u.height() - 2};
}
} // namespace

TEST(UpDownControl, ClicksKeysAndTheWheelStepWithinTheRangeAndReachTheBuddyBox)
{
    QLineEdit box(QStringLiteral("30"));
    UpDown u;
    u.resize(16, 19);
    u.setRange(8, 31);
    u.setValue(30);
    u.setBuddy(&box);
    QSignalSpy changed(&u, &UpDown::valueChanged);
    QWheelEvent wheelUp(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, upper(u)); }, 31},
        {[&] { QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, upper(u)); }, 31}, // at the top
        {[&] { QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, lower(u)); }, 30},
        {[&] { QTest::keyClick(&u, Qt::Key_Down); }, 29},
        {[&] { QTest::keyClick(&u, Qt::Key_A); }, 29},
        {[&] { QApplication::sendEvent(&u, &wheelUp); }, 30},
        {[&] { QTest::keyClick(&u, Qt::Key_Up); }, 31},
    };
    for (const auto& [step, value] : steps) {
        step();
        EXPECT_EQ(u.value(), value);
        EXPECT_EQ(box.text(), QString::number(value));
    }
    EXPECT_EQ(changed.count(), 5);
    box.setText(QStringLiteral("9")); // set by code: the next step starts there
    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, lower(u));
    EXPECT_EQ(box.text(), QStringLiteral("8"));
    box.setText(QStringLiteral("abc")); // no number, or out of range: the value stays
    box.setText(QStringLiteral("40"));
    EXPECT_EQ(u.value(), 8);
}

// The ink columns (device pixels) of rows [top, bottom) of a picture drawn
// black on white.
std::vector<int> inkColumns(const QImage& image, int top, int bottom)
{
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (qGray(image.pixel(x, y)) < 160) {
                columns.push_back(x);
                break;
            }
    return columns;
}

// Drawn on a screen scaled to twice the size too (QT_SCALE_FACTOR=2), every
// character stays within a device pixel of its cell, whose edges are the
// portion bars' edges.
TEST(BinaryRowLabel, EachCharacterStaysInItsCellAtEveryZoomAndAtTwiceTheScale)
{
    const QString row = QStringLiteral("11000000.10101000.00000001.00000001");
    std::vector<std::pair<int, int>> cases; // zoom, device pixel ratio
    for (int percent = zoom::Normal; percent <= zoom::Largest; percent += zoom::Step)
        cases.emplace_back(percent, 1);
    cases.emplace_back(100, 2);
    cases.emplace_back(150, 2);
    cases.emplace_back(200, qRound(qApp->devicePixelRatio())); // the screen's own
    for (const auto& [percent, dpr] : cases) {
        SCOPED_TRACE(std::to_string(percent) + "% x" + std::to_string(dpr));
        BinaryLabel label;
        label.setFont(mainlayout::designFont(label.font(), percent));
        QPalette pal = label.palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        label.setPalette(pal);
        label.setGrid(1800, percent);
        label.setText(row);
        label.resize(label.sizeHint());
        EXPECT_EQ(label.width(), zoom::px(1800 + 3015, percent) - zoom::px(1800, percent));
        auto draw = [&](const QString& text) {
            label.setText(text);
            QPixmap picture(label.size() * dpr);
            picture.setDevicePixelRatio(dpr);
            picture.fill(Qt::white);
            label.render(&picture);
            return picture.toImage();
        };
        auto inCell = [&](int x, int i) {
            return x >= label.cellLeft(row, i) * dpr - 1 && x <= label.cellLeft(row, i + 1) * dpr;
        };
        // One digit at a time, the others blank; its upper half, clear of the dots.
        for (int i : {0, 7, 9, 16, 18, 25, 27, 34}) {
            QString alone = row;
            for (int k = 0; k < row.size(); ++k)
                if (k != i && row[k] != QLatin1Char('.'))
                    alone[k] = QLatin1Char(' ');
            const QImage image = draw(alone);
            const std::vector<int> ink = inkColumns(image, 0, image.height() / 2);
            ASSERT_FALSE(ink.empty()) << i;
            EXPECT_TRUE(inCell(ink.front(), i) && inCell(ink.back(), i)) << i;
        }
    }
}
