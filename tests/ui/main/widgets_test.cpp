// The main window's own controls: the spin control and the binary row label.
#include "ui/main/autosizelabel.h"
#include "ui/main/binarylabel.h"
#include "ui/main/mainlayout.h"
#include "ui/main/updown.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
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

TEST(UpDownControl, ClicksArrowKeysAndTheWheelStepWithinTheRange)
{
    UpDown u;
    u.resize(16, 19);
    u.setRange(8, 31);
    u.setValue(30);
    QSignalSpy changed(&u, &UpDown::valueChanged);
    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, upper(u));
    EXPECT_EQ(u.value(), 31);
    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, upper(u)); // at the top: no change, no signal
    EXPECT_EQ(u.value(), 31);
    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, lower(u));
    EXPECT_EQ(u.value(), 30);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1).at(0).toInt(), 30);

    QTest::keyClick(&u, Qt::Key_Up);
    QTest::keyClick(&u, Qt::Key_Down);
    QTest::keyClick(&u, Qt::Key_Down);
    EXPECT_EQ(u.value(), 29);
    QTest::keyClick(&u, Qt::Key_A); // other keys pass on
    EXPECT_EQ(u.value(), 29);
    QWheelEvent up(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&u, &up);
    EXPECT_EQ(u.value(), 30);

    u.setIncrement(5);
    u.setValue(8);
    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, lower(u));
    EXPECT_EQ(u.value(), 8);
    u.setValue(100);
    EXPECT_EQ(u.value(), 31); // clamped
}

TEST(UpDownControl, BuddyBoxReceivesTheValueAndLendsItsNumberBack)
{
    QLineEdit box(QStringLiteral("24"));
    UpDown u;
    u.resize(16, 19);
    u.setRange(8, 31);
    u.setValue(24);
    u.setBuddy(&box);
    QStringList seen;
    QObject::connect(&box, &QLineEdit::textChanged, [&](const QString& t) { seen << t; });

    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, upper(u));
    EXPECT_EQ(box.text(), QStringLiteral("25"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("25")});

    box.setText(QStringLiteral("30")); // set by code: the next step starts there
    QTest::mouseClick(&u, Qt::LeftButton, Qt::NoModifier, lower(u));
    EXPECT_EQ(box.text(), QStringLiteral("29"));

    box.setText(QStringLiteral("abc")); // no number: the value stays
    box.setText(QStringLiteral("40"));  // out of range: the value stays
    EXPECT_EQ(u.value(), 29);
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
        // The dots alone: each one's ink in a dot's cell.
        QString dots = row;
        for (QChar& ch : dots)
            if (ch != QLatin1Char('.'))
                ch = QLatin1Char(' ');
        const QImage image = draw(dots);
        const std::vector<int> ink = inkColumns(image, 0, image.height());
        ASSERT_FALSE(ink.empty());
        for (int x : ink)
            EXPECT_TRUE(inCell(x, 8) || inCell(x, 17) || inCell(x, 26)) << x;
    }
}

TEST(AutoSizeLabelControl, AGroupShrinksAlikeNeverPastItsNeighbourNorBelowEightPoints)
{
    QWidget parent;
    QFont base = parent.font();
    base.setPixelSize(11);
    AutoSizeGroup group;
    AutoSizeLabel* labels[2];
    for (int i = 0; i < 2; ++i) {
        labels[i] = new AutoSizeLabel(&parent);
        labels[i]->setGeometry(10, 20 * i, 20, 13);
        labels[i]->setGroup(&group);
        labels[i]->setSizing(base, 100, 30, 200);
    }
    EXPECT_EQ(labels[0]->width(), 30); // the design width at least
    const struct {
        const char* first;
        const char* second;
        bool preferredFont;
    } cases[] = {
        {"256 total, 254 usable.", "8 bits.", true},
        {"16777216 total, 16777214 usable.", "8 bits.", false}, // one too long: both narrower
        {"Not subnetted", "24 bits.", true},
        {"16777216 total, 16777214 usable. 16777216 total, 16777214 usable.", "8 bits.", false},
    };
    for (const auto& c : cases) {
        labels[0]->setFittedText(QLatin1String(c.first));
        labels[1]->setFittedText(QLatin1String(c.second));
        EXPECT_EQ(labels[0]->font(), labels[1]->font()) << c.first;
        EXPECT_EQ(labels[0]->font() == base, c.preferredFont) << c.first;
        EXPECT_GE(QFontInfo(labels[0]->font()).pixelSize(), AutoSizeLabel::floorPixelSize(100)) << c.first;
        for (AutoSizeLabel* l : labels) {
            EXPECT_LE(l->x() + l->width(), 200) << c.first;
            if (QFontMetrics(base).horizontalAdvance(QLatin1String(c.first)) < 380) {
                EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->width()) << c.first;
            }
        }
    }
}
