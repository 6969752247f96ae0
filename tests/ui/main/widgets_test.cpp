// The main window's own controls: the spin control and the binary row label.
#include "ui/main/autosizelabel.h"
#include "ui/main/binarylabel.h"
#include "ui/main/updown.h"

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

TEST(BinaryRowLabel, CellsMatchTheBarGrid)
{
    const QString row = QStringLiteral("11000000.10101000.00000001.00000001");
    EXPECT_EQ(BinaryLabel::cellLeft(row, 0), 0);
    EXPECT_EQ(BinaryLabel::cellLeft(row, 8), 48);   // the first dot
    EXPECT_EQ(BinaryLabel::cellLeft(row, 9), 51);   // first digit of octet 2
    EXPECT_EQ(BinaryLabel::cellLeft(row, 27), 153); // first digit of octet 4: 24 digits, 3 dots
    EXPECT_EQ(BinaryLabel::gridWidth(row), 201);    // 3015 twips
    EXPECT_EQ(BinaryLabel::gridWidth(QString()), 0);

    BinaryLabel label;
    label.setText(row);
    EXPECT_EQ(label.text(), row);
    EXPECT_EQ(label.sizeHint().width(), 201);
}

TEST(BinaryRowLabel, DigitsFitTheirCellsWhateverTheFontSize)
{
    for (int px : {8, 11, 16, 24}) {
        BinaryLabel label;
        QFont f = label.font();
        f.setPixelSize(px);
        label.setFont(f);
        const QFontMetrics fm(label.gridFont());
        EXPECT_LE(fm.boundingRect(QLatin1Char('0')).width(), BinaryLabel::digitCellPx() - 1) << px;
        EXPECT_LE(fm.boundingRect(QLatin1Char('1')).width(), BinaryLabel::digitCellPx() - 1) << px;
        EXPECT_LE(label.gridFont().pixelSize(), px);
        // A row still paints with any font.
        label.setText(QStringLiteral("10101010.01010101"));
        label.resize(label.sizeHint());
        EXPECT_FALSE(label.grab().isNull());
    }
}

TEST(AutoSizeLabelControl, WidthFollowsTheTextButStopsAtItsNeighbour)
{
    QWidget parent;
    auto* label = new AutoSizeLabel(&parent);
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    label->setGeometry(10, 0, 20, 13);
    label->setSizing(30, 200);
    EXPECT_EQ(label->width(), 30); // the design width at least

    label->setFittedText(QStringLiteral("256 total, 254 usable."));
    const int wide = QFontMetrics(f).horizontalAdvance(label->text());
    ASSERT_LT(wide, 190);
    EXPECT_EQ(label->width(), wide);
    EXPECT_EQ(label->font(), f);

    // Longer than the room up to the neighbour: a narrower font, never past it.
    const QString longText = QStringLiteral("16777216 total, 16777214 usable.");
    label->setFittedText(longText);
    EXPECT_LE(label->x() + label->width(), 200);
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(longText), 190);
    EXPECT_NE(label->font(), f);

    label->setFittedText(QStringLiteral("Not subnetted")); // back to the preferred font
    EXPECT_EQ(label->font(), f);
}
