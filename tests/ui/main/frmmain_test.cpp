#include "../../shell/shellfakes.h"
#include "app/clsapp.h"
#include "guisupport.h"
#include "model/clsipaddy.h"
#include "model/subnettexts.h"
#include "platform/forms.h"
#include "platform/screens.h"
#include "settings/clsregsettings.h"
#include "testsupport.h"
#include "ui/about/frmabout.h"
#include "ui/classhelp/frmclasshelp.h"
#include "ui/debug/frmdebug.h"
#include "ui/main/autosizelabel.h"
#include "ui/main/binarylabel.h"
#include "ui/main/frmmain.h"
#include "ui/main/mainlayout.h"
#include "ui/main/mainview.h"
#include "ui/main/updown.h"
#include "ui/zoom.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using zoom::px;

namespace {

class MainWindowTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        gApp = std::make_unique<clsApp>();
        form = new frmMain;
        refreshes = std::make_unique<QSignalSpy>(form.data(), &frmMain::refreshed);
        form->show();
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    void TearDown() override
    {
        refreshes.reset();
        delete form.data();
        gApp.reset();
        zoom::Zoom::instance().reset();
        FrameworkTest::TearDown();
    }

    template <typename W = QWidget> W* ctl(const QString& name) const
    {
        W* w = form->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* box(int k) const { return ctl<QLineEdit>(QStringLiteral("txtIP_%1").arg(k)); }
    QLabel* value(int i) const { return ctl<QLabel>(QStringLiteral("lblValues_%1").arg(i)); }
    UpDown* changer(int i) const { return ctl<UpDown>(QStringLiteral("udIPChanger_%1").arg(i)); }
    clsIPAddy& ip() const { return *gApp->IPAddy; }

    QString address() const
    {
        return QStringLiteral("%1.%2.%3.%4")
            .arg(ip().IPAddress(1))
            .arg(ip().IPAddress(2))
            .arg(ip().IPAddress(3))
            .arg(ip().IPAddress(4));
    }
    QString boxes() const
    {
        return QStringList{box(0)->text(), box(1)->text(), box(2)->text(), box(3)->text()}.join(QLatin1Char('.'));
    }
    void setAddress(const QString& dotted, int bits)
    {
        const QStringList parts = dotted.split(QLatin1Char('.'));
        for (int k = 0; k < 4; ++k)
            ip().IPAddress(k + 1, parts[k].toInt());
        ip().SubnetBits(bits);
        form->UpdateForm();
    }

    static void settle() { QApplication::processEvents(); }
    void focus(QWidget* w)
    {
        w->setFocus(Qt::TabFocusReason);
        settle();
        ASSERT_EQ(QApplication::focusWidget(), w) << w->objectName().toStdString();
    }
    // Types into whatever has the focus, letting posted keystrokes run.
    static void type(const QString& keys)
    {
        for (const QChar ch : keys) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            settle();
        }
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        settle();
    }
    int refreshCount() const { return int(refreshes->count()); }
    void resetRefreshes() { refreshes->clear(); }

    QPointer<frmMain> form;
    std::unique_ptr<QSignalSpy> refreshes;
};

// ---- layout ----

TEST_F(MainWindowTest, EveryControlOfTheInventoryIsPlacedNamedAndInItsContainer)
{
    int count = 0;
    for (const mainlayout::ControlSpec& s : mainlayout::controls()) {
        QWidget* w = ctl(s.objectName());
        ASSERT_NE(w, nullptr);
        ++count;
        const QString parent = s.container.isEmpty() ? QStringLiteral("frmMain") : s.container;
        EXPECT_EQ(w->parentWidget()->objectName(), parent) << s.objectName().toStdString();
        const QRect design = zoom::rect(s.left, s.top, s.width, s.height, 100);
        EXPECT_EQ(w->y(), design.y()) << s.objectName().toStdString();
        // The refresh moves the portion bars and sizes the labels to their texts.
        const bool bar = s.kind == mainlayout::Kind::Shape && s.index >= 0 && s.index < 18;
        const bool label = s.kind == mainlayout::Kind::Label || s.kind == mainlayout::Kind::LinkLabel ||
                           s.kind == mainlayout::Kind::BinaryLabel;
        if (!bar) {
            EXPECT_EQ(w->x(), design.x()) << s.objectName().toStdString();
        }
        if (!bar && !label) {
            EXPECT_EQ(w->size(), design.size()) << s.objectName().toStdString();
        }
        // Captions, tooltips and colours come from the inventory; the refresh
        // rewrites the values, the range and three of the tooltips.
        const bool refreshed = s.name == QLatin1String("lblValues") || s.name == QLatin1String("lblSubnetRange");
        if (!refreshed) {
            EXPECT_EQ(w->property(qobject_cast<QGroupBox*>(w) ? "title" : "text").toString(), s.text)
                << s.objectName().toStdString();
        }
        if (!refreshed || (s.index != 5 && s.index != 6 && s.index != 16)) {
            EXPECT_EQ(w->toolTip(), s.toolTip) << s.objectName().toStdString();
        }
        const QColor fill = s.kind == mainlayout::Kind::Shape ? s.fill
                            : s.flags & mainlayout::Grey      ? mainlayout::LightGrey
                                                              : QColor();
        if (fill.isValid()) {
            EXPECT_TRUE(w->autoFillBackground()) << s.objectName().toStdString();
            EXPECT_EQ(w->palette().color(QPalette::Window), fill) << s.objectName().toStdString();
        }
        EXPECT_EQ(w->font().underline(), s.kind == mainlayout::Kind::LinkLabel) << s.objectName().toStdString();
    }
    // Entry row 13, headings 2, address rows 38, range 1, statistics 14,
    // legend 7, bottom row 3.
    EXPECT_EQ(count, 78);
    EXPECT_EQ(form->size(), QSize(544, 345));
    EXPECT_FALSE(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(form->windowIcon().pixmap(32, 32).isNull());
}

TEST_F(MainWindowTest, FocusOrderFollowsTheDesign)
{
    setAddress(QStringLiteral("172.16.5.10"), 20); // subnetted: both spin controls take part
    QWidget* w = box(0);
    QStringList order;
    for (int i = 0; i < 10; ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisible());
    }
    EXPECT_EQ(order, QStringList(mainlayout::focusOrder().begin(), mainlayout::focusOrder().end()));
    EXPECT_EQ(w, box(0)); // and round again
}

// ---- load ----

TEST_F(MainWindowTest, LoadSetsCaptionLocksTheMaskBoxAndRefreshes)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quillmark 1.05 - by Tamsworth"));
    EXPECT_TRUE(ctl<QLineEdit>(QStringLiteral("txtSubnetBits"))->isReadOnly());
    // The labels show the view of the model's address (its texts are checked window-free).
    const SubnetTexts t = FormTexts(form->facts());
    EXPECT_EQ(value(0)->text(), QStringLiteral("11000000.10101000.00000001.00000001"));
    for (const mainview::ValueLabel& v : mainview::kValueLabels) {
        EXPECT_EQ(value(v.index)->text().toStdString(), t.*v.text) << v.index;
        if (v.tip) {
            EXPECT_EQ(value(v.index)->toolTip().toStdString(), t.*v.tip) << v.index;
        }
    }
    EXPECT_EQ(ctl<QLabel>(QStringLiteral("lblSubnetRange"))->text().toStdString(), t.range);
    EXPECT_TRUE(changer(1)->isHidden());
    EXPECT_FALSE(changer(0)->isHidden());
    EXPECT_EQ(boxes(), QStringLiteral("192.168.1.1"));
    EXPECT_EQ(address(), QStringLiteral("192.168.1.1")); // the load reads, never writes
}

// ---- address entry ----

TEST_F(MainWindowTest, TypingAnAddressWithDotsFillsTheBoxesAndRefreshesOncePerBox)
{
    // The window opens with the first box focused and selected.
    ASSERT_EQ(QApplication::focusWidget(), box(0));
    EXPECT_EQ(box(0)->selectedText(), QStringLiteral("192"));
    resetRefreshes();
    type(QStringLiteral("10.20.30.40"));
    EXPECT_EQ(QApplication::focusWidget(), box(3));
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ctl(QStringLiteral("txtSubnetBits")));
    EXPECT_EQ(boxes(), QStringLiteral("10.20.30.40"));
    EXPECT_EQ(address(), QStringLiteral("10.20.30.40"));
    EXPECT_EQ(refreshCount(), 4);
    EXPECT_EQ(value(11)->text(), QStringLiteral("10.20.30.40"));
}

// Clicking into a box selects its octet, so typing replaces it; a second
// click into the box places the caret.
TEST_F(MainWindowTest, ClickingIntoABoxSelectsItsOctetSoTypingReplacesIt)
{
    const std::pair<int, const char*> typed[] = {{0, "10"}, {1, "77"}, {2, "5"}, {3, "9"}, {0, "172"}};
    for (const auto& [k, digits] : typed) {
        QTest::mouseClick(box(k), Qt::LeftButton, Qt::NoModifier, QPoint(box(k)->width() - 4, box(k)->height() / 2));
        settle();
        ASSERT_EQ(QApplication::focusWidget(), box(k));
        type(QLatin1String(digits));
    }
    key(Qt::Key_Tab);
    EXPECT_EQ(boxes(), QStringLiteral("172.77.5.9"));
    EXPECT_EQ(address(), QStringLiteral("172.77.5.9"));

    QTest::mouseClick(box(2), Qt::LeftButton, Qt::NoModifier, QPoint(box(2)->width() - 4, box(2)->height() / 2));
    QTest::mouseClick(box(2), Qt::LeftButton, Qt::NoModifier, QPoint(2, box(2)->height() / 2));
    type(QStringLiteral("1"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("15"));
}

TEST_F(MainWindowTest, BackspaceInAnEmptyBoxMovesBack)
{
    focus(box(2));
    key(Qt::Key_Backspace); // "1" selected: deleted as usual
    EXPECT_EQ(box(2)->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), box(2));
    key(Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), box(1));
    EXPECT_EQ(box(1)->text(), QStringLiteral("168")); // nothing deleted there
    EXPECT_EQ(box(2)->text(), QStringLiteral("0"));   // the box left empty was normalised
    EXPECT_EQ(address(), QStringLiteral("192.168.0.1"));

    focus(box(0));
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), ctl(QStringLiteral("cmdOptions_1"))); // out of the row, to "&About"
    EXPECT_FALSE(form->ShiftDown()); // the synthetic Shift+Tab leaves no modifier behind
}

TEST_F(MainWindowTest, OnlyDigitsDotAndBackspaceGetIntoABox)
{
    focus(box(3));
    box(3)->setText(QStringLiteral("1"));
    box(3)->end(false);
    QApplication::clipboard()->setText(QStringLiteral("77"));
    const std::pair<Qt::Key, Qt::KeyboardModifiers> rejected[] = {
        {Qt::Key_A, Qt::NoModifier},      {Qt::Key_Space, Qt::NoModifier},  {Qt::Key_Minus, Qt::NoModifier},
        {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Comma, Qt::NoModifier},  {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_A, Qt::ControlModifier}};
    for (const auto& [pressed, mods] : rejected) {
        key(pressed, mods);
        EXPECT_EQ(box(3)->text(), QStringLiteral("1")) << pressed;
        EXPECT_EQ(QApplication::focusWidget(), box(3)) << pressed;
    }
    key(Qt::Key_5);
    EXPECT_EQ(box(3)->text(), QStringLiteral("15"));
    key(Qt::Key_Left); // keys that type nothing still work
    key(Qt::Key_Delete);
    EXPECT_EQ(box(3)->text(), QStringLiteral("1"));
}

TEST_F(MainWindowTest, LeavingABoxNormalisesItStoresTheOctetAndRefreshesOnce)
{
    const struct {
        const char* typed;
        const char* shown;
        int octet;
    } cases[] = {{"300", "0", 0}, {"255", "255", 255}, {"00", "0", 0},    {"", "0", 0},
                 {"007", "7", 7}, {"1.5", "1.5", 2},   {"2.5", "2.5", 2}, {"3.5", "3.5", 4}};
    for (const auto& c : cases) {
        focus(box(1));
        box(1)->setText(QLatin1String(c.typed)); // as typed or pasted
        resetRefreshes();
        focus(box(2));
        EXPECT_EQ(box(1)->text(), QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(ip().IPAddress(2), c.octet) << c.typed;
        EXPECT_EQ(refreshCount(), 1) << c.typed;
    }
    // Switching to another window is not leaving the box.
    box(2)->setText(QStringLiteral("300"));
    resetRefreshes();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    settle();
    EXPECT_EQ(box(2)->text(), QStringLiteral("300"));
    EXPECT_EQ(refreshCount(), 0);
}

// ---- stepping ----

TEST_F(MainWindowTest, SpinControlsStepTheHostAndSubnetFieldsWithTheModifierKeys)
{
    enum Dir { Down, Up };
    const struct {
        const char* address;
        int bits;
        int control;
        Dir dir;
        Qt::KeyboardModifiers mods;
        const char* result;
    } cases[] = {
        // Each control, direction and modifier once; the field arithmetic is checked window-free.
        {"192.168.1.1", 24, 0, Up, Qt::NoModifier, "192.168.1.2"},
        {"192.168.1.1", 24, 0, Up, Qt::ControlModifier, "192.168.1.101"},
        {"192.168.1.1", 24, 0, Up, Qt::ControlModifier | Qt::ShiftModifier, "192.168.1.233"},
        {"192.168.1.5", 24, 0, Down, Qt::ShiftModifier, "192.168.1.255"},
        {"192.168.1.77", 26, 1, Up, Qt::NoModifier, "192.168.1.141"},
        {"10.1.2.3", 16, 1, Down, Qt::NoModifier, "10.0.2.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "/" + std::to_string(c.bits));
        setAddress(QLatin1String(c.address), c.bits);
        focus(ctl(QStringLiteral("cmdOptions_1")));
        // The modifiers go down one after the other, as on a keyboard.
        Qt::KeyboardModifiers held;
        if (c.mods & Qt::ControlModifier) {
            QTest::keyPress(QApplication::focusWidget(), Qt::Key_Control, held);
            held |= Qt::ControlModifier;
        }
        if (c.mods & Qt::ShiftModifier) {
            QTest::keyPress(QApplication::focusWidget(), Qt::Key_Shift, held);
            held |= Qt::ShiftModifier;
        }
        EXPECT_EQ(form->ShiftDown(), bool(c.mods & Qt::ShiftModifier));
        EXPECT_EQ(form->CtrlDown(), bool(c.mods & Qt::ControlModifier));
        UpDown* spin = changer(c.control);
        ASSERT_TRUE(spin->isVisible());
        resetRefreshes();
        const QPoint at(spin->width() / 2, c.dir == Up ? 1 : spin->height() - 2);
        QTest::mouseClick(spin, Qt::LeftButton, c.mods, at);
        settle();
        EXPECT_EQ(address(), QLatin1String(c.result));
        EXPECT_EQ(boxes(), QLatin1String(c.result)); // the boxes are rewritten from the model
        EXPECT_EQ(value(11)->text(), QLatin1String(c.result));
        EXPECT_EQ(spin->value(), 0);
        EXPECT_EQ(refreshCount(), 1); // putting the value back does not refresh again
        if (c.mods & Qt::ShiftModifier)
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Shift, held);
        if (c.mods & Qt::ControlModifier)
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control, held & ~Qt::ShiftModifier);
        EXPECT_FALSE(form->ShiftDown());
        EXPECT_FALSE(form->CtrlDown());
    }
}

TEST_F(MainWindowTest, ShiftHeldInAnOctetBoxStillScalesTheStep)
{
    focus(box(3));
    QTest::keyPress(box(3), Qt::Key_Shift);
    resetRefreshes();
    QTest::mouseClick(changer(0), Qt::LeftButton, Qt::ShiftModifier, QPoint(8, 1));
    settle();
    EXPECT_EQ(address(), QStringLiteral("192.168.1.11"));
    EXPECT_EQ(refreshCount(), 2); // the box is left first, then the step
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_FALSE(form->ShiftDown());
}

TEST_F(MainWindowTest, ModifierFlagsAreClearedWhenTheWindowIsDeactivated)
{
    focus(ctl(QStringLiteral("cmdOptions_1")));
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Control);
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Shift, Qt::ControlModifier);
    ASSERT_TRUE(form->ShiftDown());
    ASSERT_TRUE(form->CtrlDown());
    // The keys are let go while another window is active: this window never
    // sees them come up.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    settle();
    EXPECT_FALSE(form->ShiftDown());
    EXPECT_FALSE(form->CtrlDown());
    QApplication::setActiveWindow(form);
    settle();
    QTest::mouseClick(changer(0), Qt::LeftButton, Qt::NoModifier, QPoint(8, 1));
    settle();
    EXPECT_EQ(address(), QStringLiteral("192.168.1.2")); // a step of one, not 1000
}

// ---- mask bits ----

TEST_F(MainWindowTest, MaskSpinStepsTheMaskAndShowsOrHidesTheSubnetControls)
{
    auto* bits = ctl<QLineEdit>(QStringLiteral("txtSubnetBits"));
    UpDown* spin = ctl<UpDown>(QStringLiteral("udSubnet"));
    focus(ctl(QStringLiteral("cmdOptions_1"))); // no octet box to leave on the way
    resetRefreshes();
    QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 1));
    settle();
    EXPECT_EQ(bits->text(), QStringLiteral("25"));
    EXPECT_EQ(ip().SubnetBits(), 25);
    EXPECT_EQ(refreshCount(), 1);
    EXPECT_EQ(value(9)->text(), QStringLiteral("1 bits."));
    EXPECT_TRUE(changer(1)->isVisible());
    for (int i = 12; i <= 14; ++i)
        EXPECT_TRUE(ctl(QStringLiteral("shapeMaskBits_%1").arg(i))->isVisible()) << i;

    // Down with the keyboard, past the class's own network bits.
    focus(spin);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(bits->text(), QStringLiteral("22"));
    EXPECT_EQ(ip().SubnetBits(), 22);
    EXPECT_TRUE(changer(1)->isHidden());
    EXPECT_EQ(value(4)->text(), QString());
    for (int i = 12; i <= 14; ++i)
        EXPECT_TRUE(ctl(QStringLiteral("shapeMaskBits_%1").arg(i))->isHidden()) << i;
    EXPECT_EQ(value(12)->text(), QStringLiteral("255.255.252.0"));

    for (int i = 0; i < 40; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(bits->text(), QStringLiteral("8")); // the spin control's range ends there
}

TEST_F(MainWindowTest, MaskBoxSetByCodeIsNormalisedBeforeTheModelIsWritten)
{
    auto* bits = ctl<QLineEdit>(QStringLiteral("txtSubnetBits"));
    bits->setText(QStringLiteral("40"));
    EXPECT_EQ(bits->text(), QStringLiteral("31"));
    EXPECT_EQ(ip().SubnetBits(), 31);
    EXPECT_EQ(ctl<QLabel>(QStringLiteral("lblSubnetRange"))->text(),
              QStringLiteral("This subnet has no usable hosts."));

    bits->setText(QStringLiteral("24"));
    bits->setText(QStringLiteral("abc"));
    EXPECT_EQ(bits->text(), QStringLiteral("0"));
    EXPECT_EQ(ip().SubnetBits(), 24); // the model keeps its mask
    EXPECT_EQ(value(12)->text(), QStringLiteral("255.255.255.0"));
}

// ---- bars ----

// At every zoom each bar starts and ends on the edges of the digits it marks,
// and a dot between the subnet and the host portion lies inside the host bar.
TEST_F(MainWindowTest, BarsSitUnderTheDigitsTheyMarkAtEveryZoom)
{
    const std::pair<const char*, int> cases[] = {{"192.168.1.1", 24}, {"192.168.1.1", 26}, {"172.16.5.10", 20},
                                                 {"10.1.2.3", 16},    {"10.1.2.3", 31},    {"224.0.0.1", 24},
                                                 {"192.168.1.1", 20}};
    for (int percent = zoom::Normal; percent <= zoom::Largest; percent += zoom::Step) {
        zoom::Zoom::instance().set(percent);
        for (const auto& [address, bits] : cases) {
            SCOPED_TRACE(std::string(address) + "/" + std::to_string(bits) + " at " + std::to_string(percent));
            setAddress(QLatin1String(address), bits);
            const auto spans = mainview::RowBars(form->facts().networkBits, form->facts().subnetBits);
            for (int i = 0; i < 18; ++i) {
                const QWidget* bar = ctl(QStringLiteral("shapeMaskBits_%1").arg(i));
                const mainview::BarSpan& g = spans[size_t(i % 3)];
                EXPECT_EQ(bar->x(), px(g.left, percent)) << i;
                EXPECT_EQ(bar->width(), std::max(0, px(g.left + std::max(0, g.width), percent) - px(g.left, percent)))
                    << i;
            }
            const int m = ip().SubnetBits();
            const int cls = ip().ClassBits();
            const int rows[6] = {0, 1, 2, 21, 3, 4};
            for (int r = 0; r < 6; ++r) {
                const auto* row = static_cast<const BinaryLabel*>(value(rows[r]));
                if (row->text().isEmpty())
                    continue;
                auto edge = [&](int bit) { return row->x() + row->cellLeft(bit + bit / 8); }; // bit from 0
                auto bar = [&](int b) { return ctl(QStringLiteral("shapeMaskBits_%1").arg(3 * r + b))->geometry(); };
                EXPECT_EQ(bar(0).left(), edge(0)) << r;
                if (m > cls) {
                    EXPECT_EQ(bar(1).left(), edge(cls)) << r;
                    EXPECT_EQ(bar(1).left() + bar(1).width(), row->x() + row->cellLeft(m - 1 + (m - 1) / 8 + 1)) << r;
                    EXPECT_EQ(bar(2).left(), bar(1).left() + bar(1).width()) << r;
                    if (m % 8 == 0) { // the dot before digit m
                        EXPECT_LE(bar(2).left(), row->x() + row->cellLeft(m + m / 8 - 1)) << r;
                    }
                }
            }
        }
    }
}

// Ctrl+= and Ctrl+- step the whole window from 100% to 300%, Ctrl+0 goes
// back; the window keeps a fixed size at each step and stays on its screen.
TEST_F(MainWindowTest, ZoomKeysScaleTheWholeWindowInSteps)
{
    const auto previousScreens =
        platform::setScreenProvider([] { return std::vector<QRect>{QRect(0, 0, 1280 * 15, 1024 * 15)}; });
    form->move(700, 600);
    const struct {
        Qt::Key key;
        int percent;
    } steps[] = {{Qt::Key_Equal, 125}, {Qt::Key_Equal, 150}, {Qt::Key_Minus, 125},
                 {Qt::Key_0, 100},     {Qt::Key_Minus, 100}, {Qt::Key_Equal, 125}};
    auto check = [&](int percent) {
        EXPECT_EQ(zoom::percent(), percent);
        EXPECT_EQ(form->size(), QSize(px(8160, percent), px(5175, percent)));
        EXPECT_EQ(form->minimumSize(), form->maximumSize());
        EXPECT_EQ(box(0)->geometry(), zoom::rect(1560, 240, 735, 285, percent));
        EXPECT_EQ(ctl(QStringLiteral("cmdOptions_0"))->geometry(), zoom::rect(6960, 4680, 1095, 375, percent));
        EXPECT_EQ(box(0)->font().pixelSize(), 11 * percent / 100);
        EXPECT_EQ(value(0)->font().pixelSize(), 11 * percent / 100);
        const QRect frame = form->frameGeometry();
        EXPECT_TRUE(frame.right() < 1280 || frame.left() == 0) << percent;
        EXPECT_TRUE(frame.bottom() < 1024 || frame.top() == 0) << percent;
    };
    focus(box(1)); // the keys zoom, and type nothing into a box
    for (const auto& s : steps) {
        key(s.key, Qt::ControlModifier);
        check(s.percent);
    }
    EXPECT_EQ(boxes(), QStringLiteral("192.168.1.1"));
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(form, Qt::Key_Equal, Qt::ControlModifier);
    check(300);
    platform::setScreenProvider(previousScreens);
}

TEST_F(MainWindowTest, ZoomIsKeptWithThePlacement)
{
    zoom::Zoom::instance().set(175);
    form->SaveSettings();
    EXPECT_EQ(gApp->RegSettings->AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain_Zoom"), 4).toInt(), 175);
    // A hand-edited value is brought to a step; a damaged one leaves 100%.
    const std::pair<QVariant, int> stored[] = {{200, 200}, {210, 200}, {5000, 300}, {QStringLiteral("big"), 100}};
    for (const auto& [value, percent] : stored) {
        zoom::Zoom::instance().reset();
        gApp->RegSettings->AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain_Zoom"),
                                      value.typeId() == QMetaType::QString ? 1 : 4, QVariant(), value);
        frmMain restored;
        EXPECT_EQ(zoom::percent(), percent) << value.toString().toStdString();
        EXPECT_EQ(restored.width(), px(8160, percent)) << value.toString().toStdString();
    }
}

// Every text fits its label, or the value labels of its group shrink alike:
// never below 8 points, never over a neighbour.
TEST_F(MainWindowTest, EveryTextFitsItsLabelOrItsGroupShrinksAlike)
{
    const std::pair<const char*, int> cases[] = {{"10.1.2.3", 9},        {"172.16.5.10", 30},    {"192.168.1.1", 31},
                                                 {"192.168.1.77", 16},   {"192.168.1.77", 8},    {"10.255.255.255", 30},
                                                 {"10.255.255.255", 31}, {"127.255.255.255", 8}, {"10.0.0.0", 8}};
    for (int percent : {100, 175, 300}) {
        zoom::Zoom::instance().set(percent);
        const int designPx = 11 * percent / 100;
        for (const auto& [address, bits] : cases) {
            SCOPED_TRACE(std::string(address) + "/" + std::to_string(bits) + " at " + std::to_string(percent));
            setAddress(QLatin1String(address), bits);
            std::map<mainlayout::Group, QFont> groupFont;
            for (const QLabel* label : form->findChildren<QLabel*>()) {
                const auto* l = dynamic_cast<const AutoSizeLabel*>(label);
                if (!l)
                    continue;
                const std::string name = l->objectName().toStdString();
                EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->width()) << name;
                EXPECT_LE(l->width(), l->room()) << name;
                EXPECT_GE(QFontInfo(l->font()).pixelSize(), AutoSizeLabel::floorPixelSize(percent)) << name;
                const mainlayout::Group group = mainlayout::find(l->objectName())->group;
                if (group != mainlayout::Group::None) {
                    EXPECT_EQ(l->font(), groupFont.emplace(group, l->font()).first->second) << name;
                } else if (l->objectName() != QLatin1String("lblValues_7")) {
                    // Fixed captions, and the range line, fit at the window's font.
                    EXPECT_EQ(l->font().pixelSize(), designPx) << name;
                    EXPECT_EQ(l->font().stretch(), 0) << name;
                }
            }
            EXPECT_EQ(groupFont.size(), 4u);
        }
    }
}

// Screen readers name every input control and learn from each binary row
// which digits belong to which portion.
TEST_F(MainWindowTest, InputControlsHaveAccessibleNamesAndBinaryRowsDescribeTheirPortions)
{
    const std::pair<const char*, const char*> names[] = {{"txtIP_0", "First octet"},
                                                         {"txtIP_1", "Second octet"},
                                                         {"txtIP_2", "Third octet"},
                                                         {"txtIP_3", "Fourth octet"},
                                                         {"txtSubnetBits", "Mask bits"},
                                                         {"udSubnet", "Step mask bits"},
                                                         {"udIPChanger_0", "Step host number"},
                                                         {"udIPChanger_1", "Step subnet number"},
                                                         {"cmdOptions_0", "Exit"},
                                                         {"cmdOptions_1", "About"}};
    for (const auto& [control, name] : names) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(ctl(QLatin1String(control)));
        ASSERT_NE(a, nullptr) << control;
        EXPECT_EQ(a->text(QAccessible::Name), QLatin1String(name)) << control;
    }
    EXPECT_EQ(names[0].first, mainlayout::focusOrder().front()); // the list covers the focus order
    EXPECT_EQ(std::size(names), mainlayout::focusOrder().size());
    // The spin controls are spin boxes a screen reader can step.
    QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(ctl(QStringLiteral("udSubnet")));
    EXPECT_EQ(spin->role(), QAccessible::SpinBox);
    EXPECT_EQ(spin->valueInterface()->currentValue().toInt(), 24);
    spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(ip().SubnetBits(), 25);

    const std::tuple<const char*, int, int, const char*> rows[] = {
        {"192.168.1.77", 26, 0,
         "IP address in binary. Network portion: digits 1 to 24. Subnet portion: digits 25 to 26. Host portion: "
         "digits 27 to 32."},
        {"10.1.2.3", 8, 21,
         "Broadcast address in binary. Network portion: digits 1 to 8. Subnet portion: none. Host portion: "
         "digits 9 to 32."},
        {"172.16.5.10", 31, 4,
         "Subnet portion in binary. Network portion: digits 1 to 16. Subnet portion: digits 17 to 31. Host "
         "portion: digit 32."},
    };
    for (const auto& [address, bits, row, description] : rows) {
        setAddress(QLatin1String(address), bits);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(value(row));
        EXPECT_EQ(a->text(QAccessible::Description), QLatin1String(description)) << address;
        EXPECT_EQ(a->text(QAccessible::Name), value(row)->text()) << address;
    }
}

// On a screen scaled to twice the size (QT_SCALE_FACTOR=2) the rows and bars
// keep their places: the same tests, run again in such a process.
TEST(ScaledScreen, RowAndBarTestsPassAtTwiceTheScale)
{
    if (qApp->devicePixelRatio() != 1)
        GTEST_SKIP() << "this is the scaled run";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=BinaryRowLabel.*:MainWindowTest.BarsSit*:MainWindowTest.EveryText*")});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("[  PASSED  ] 3 tests."))) << out.toStdString();
}

// ---- class value, links, commands ----

TEST_F(MainWindowTest, ClickingTheClassOpensTheClassReferenceModally)
{
    const auto previous =
        platform::Forms::registerFactory(QStringLiteral("frmClassHelp"), [] { return new frmClassHelp; });
    ModalRecorder recorder([&](platform::FormBase& f) {
        auto* help = qobject_cast<frmClassHelp*>(&f);
        ASSERT_NE(help, nullptr);
        help->cmdOptions_Click();
    });
    QTest::mouseClick(value(11), Qt::LeftButton);
    QTest::mouseClick(value(0), Qt::LeftButton);
    EXPECT_TRUE(recorder.shown.isEmpty());
    QTest::mouseClick(value(7), Qt::LeftButton);
    EXPECT_EQ(recorder.shown, QStringList{QStringLiteral("frmClassHelp")});
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmClassHelp")), nullptr); // "Done" unloaded it
    QTest::mouseClick(value(7), Qt::LeftButton);
    EXPECT_EQ(recorder.shown.size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::Forms::registerFactory(QStringLiteral("frmClassHelp"), previous);
}

TEST_F(MainWindowTest, LinkLabelsTurnBlueUnderThePointerAndBackOnTheBackground)
{
    QLabel* cls = value(7);
    QLabel* web = ctl<QLabel>(QStringLiteral("lblWebLinks"));
    const QColor hover(0, 0, 255);
    auto colour = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };

    QTest::mouseMove(cls, QPoint(3, 3));
    settle();
    EXPECT_EQ(colour(cls), hover);
    QTest::mouseMove(value(11), QPoint(3, 3)); // another label: no reset
    settle();
    EXPECT_EQ(colour(cls), hover);
    QTest::mouseMove(web, QPoint(3, 3));
    settle();
    EXPECT_EQ(colour(web), hover);
    const QPoint background(form->width() - 4, form->height() - 60);
    ASSERT_EQ(form->childAt(background), nullptr);
    QTest::mouseMove(form, background);
    settle();
    EXPECT_EQ(colour(cls), mainlayout::LinkColour());
    EXPECT_EQ(colour(web), mainlayout::LinkColour());
}

TEST_F(MainWindowTest, WebLinksOpensThePageBesideTheProgramOrReportsItMissing)
{
    FakeLauncher launcher;
    form->lblWebLinks_Click();
    EXPECT_TRUE(launcher.calls.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Web Links file is missing.");
    EXPECT_EQ(messages.shown[0].title, "Error");
    EXPECT_EQ(messages.shown[0].style, platform::vbExclamation | platform::vbOKOnly);

    writeFile(QStringLiteral("weblinks.htm"));
    QTest::mouseClick(ctl(QStringLiteral("lblWebLinks")), Qt::LeftButton);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].action, QStringLiteral("open"));
    EXPECT_EQ(launcher.calls[0].target, QUrl::fromLocalFile(path(QStringLiteral("weblinks.htm"))).toString());
    EXPECT_EQ(messages.shown.size(), 1u);

    // No program to open web pages: said so, with the page's path.
    launcher.accept = false;
    QTest::mouseClick(ctl(QStringLiteral("lblWebLinks")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    const std::string& said = messages.shown[1].text;
    EXPECT_NE(said.find(path(QStringLiteral("weblinks.htm")).toStdString()), std::string::npos) << said;
    EXPECT_EQ(said.rfind("The Web Links page could not be opened", 0), 0u) << said;
}

TEST_F(MainWindowTest, AboutOpensTheAboutWindowModallyAndOkClosesIt)
{
    const auto previous = platform::Forms::registerFactory(QStringLiteral("frmAbout"), [] { return new frmAbout; });
    ModalRecorder recorder([&](platform::FormBase& f) { f.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); });
    ctl<QPushButton>(QStringLiteral("cmdOptions_1"))->click();
    EXPECT_EQ(recorder.shown, QStringList{QStringLiteral("frmAbout")});
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmAbout")), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::Forms::registerFactory(QStringLiteral("frmAbout"), previous);
}

TEST_F(MainWindowTest, CtrlShiftDOpensTheDebugWindow)
{
    const auto previous = platform::Forms::registerFactory(QStringLiteral("frmDebug"), [] { return new frmDebug; });
    QTest::keyClick(form, Qt::Key_D, Qt::ControlModifier); // not the shortcut
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmDebug")), nullptr);
    QTest::keyClick(form, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    platform::Form* debug = platform::Forms::find(QStringLiteral("frmDebug"));
    ASSERT_NE(debug, nullptr);
    EXPECT_TRUE(debug->Visible());
    debug->Unload();
    platform::Forms::registerFactory(QStringLiteral("frmDebug"), previous);
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxEndTheProgram)
{
    EXPECT_THROW(form->cmdOptions_Click(0), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
}

TEST_F(MainWindowTest, CloseRequestsByTheUserEndTheProgramAndTheProgramsOwnUnloadPasses)
{
    for (int mode : {platform::vbFormControlMenu, platform::vbAppWindows, platform::vbAppTaskManager}) {
        if (!form) {
            gApp = std::make_unique<clsApp>();
            form = new frmMain;
        }
        form->show();
        EXPECT_THROW(form->RequestUnload(mode), platform::ProcessEnded) << mode;
        EXPECT_FALSE(gApp) << mode;
        EXPECT_FALSE(form->isVisible()) << mode;
        delete form.data();
    }
    gApp = std::make_unique<clsApp>();
    form = new frmMain;
    EXPECT_TRUE(form->RequestUnload(platform::vbFormCode));
    EXPECT_TRUE(gApp);
    EXPECT_TRUE(form->isUnloading());
}

} // namespace
