#include "../../shell/shellfakes.h"
#include "app/clsapp.h"
#include "guisupport.h"
#include "model/clsipaddy.h"
#include "platform/forms.h"
#include "platform/screens.h"
#include "settings/clsregsettings.h"
#include "testsupport.h"
#include "ui/about/frmabout.h"
#include "ui/classhelp/frmclasshelp.h"
#include "ui/keys/frmkeys.h"
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
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <functional>

using zoom::px;

namespace {

class MainWindowTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        open();
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    void TearDown() override
    {
        delete form.data();
        gApp.reset();
        zoom::Zoom::instance().reset();
        FrameworkTest::TearDown();
    }

    void open()
    {
        delete form.data();
        gApp = std::make_unique<clsApp>();
        form = new frmMain;
        form->show();
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

    // The model's address, and the boxes', which must agree with it.
    QString address() const
    {
        QStringList model, boxes;
        for (int k = 0; k < 4; ++k) {
            model << QString::number(ip().IPAddress(k + 1));
            boxes << box(k)->text();
        }
        EXPECT_EQ(model, boxes);
        return model.join(QLatin1Char('.'));
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
    // Another window is made active, then this one again.
    void switchAway() const
    {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        settle();
        QApplication::setActiveWindow(form);
        settle();
    }
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
    void clickBox(int k) const
    {
        QTest::mouseClick(box(k), Qt::LeftButton, Qt::NoModifier, QPoint(box(k)->width() - 4, box(k)->height() / 2));
        settle();
    }

    QPointer<frmMain> form;
};

TEST_F(MainWindowTest, TabWalksTheControlsInOrderAndRoundAgain)
{
    setAddress(QStringLiteral("172.16.5.10"), 20); // subnetted: both spin controls take part
    const QStringList expected = {"txtIP_0",       "txtIP_1",      "txtIP_2",       "txtIP_3",
                                  "txtSubnetBits", "udSubnet",     "udIPChanger_0", "udIPChanger_1",
                                  "cmdOptions_0",  "cmdOptions_1", "txtIP_0"};
    QWidget* w = box(0);
    QStringList order{w->objectName()};
    while (order.size() < expected.size()) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisible());
        order << w->objectName();
    }
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, OpensOnTheDefaultAddressWithTheClassNoteAndTheMaskBoxLocked)
{
    EXPECT_TRUE(ctl<QLineEdit>(QStringLiteral("txtSubnetBits"))->isReadOnly());
    EXPECT_EQ(address(), QStringLiteral("192.168.1.1"));
    const std::pair<int, const char*> shown[] = {{0, "11000000.10101000.00000001.00000001"},
                                                 {7, "C (private)"},
                                                 {12, "255.255.255.0"},
                                                 {13, "192.168.1.0 (network)"}};
    for (const auto& [i, text] : shown)
        EXPECT_EQ(value(i)->text(), QLatin1String(text)) << i;
    EXPECT_TRUE(changer(1)->isHidden()); // not subnetted
}

// A dot moves on to the next box; keys that are no digit type nothing. A box
// is stored when left, not when another window is. The click that enters a
// box selects its octet; a second click places the caret.
TEST_F(MainWindowTest, TypingWithDotsOrClickingIntoABoxReplacesItsOctet)
{
    type(QStringLiteral("10.2a0.3 0.4-0"));
    switchAway();
    EXPECT_EQ(ip().IPAddress(4), 1);
    key(Qt::Key_Tab);
    EXPECT_EQ(address(), QStringLiteral("10.20.30.40"));
    const std::pair<int, const char*> typed[] = {{1, "77"}, {3, "9"}, {2, "5"}, {0, "172"}};
    for (const auto& [k, digits] : typed) {
        clickBox(k);
        ASSERT_EQ(QApplication::focusWidget(), box(k));
        type(QLatin1String(digits));
    }
    key(Qt::Key_Tab);
    EXPECT_EQ(address(), QStringLiteral("172.77.5.9"));

    clickBox(2);
    QTest::mouseClick(box(2), Qt::LeftButton, Qt::NoModifier, QPoint(2, box(2)->height() / 2));
    type(QStringLiteral("1"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("15"));
}

TEST_F(MainWindowTest, BackspaceInAnEmptyBoxMovesBackAndOutOfTheRow)
{
    focus(box(2));
    key(Qt::Key_Backspace); // "1" selected: deleted as usual
    key(Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), box(1));
    EXPECT_EQ(address(), QStringLiteral("192.168.0.1")); // nothing deleted in box 1, box 2 normalised
    focus(box(0));
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), ctl(QStringLiteral("cmdOptions_1")));
    EXPECT_FALSE(form->ShiftDown()); // the synthetic Shift+Tab leaves no modifier behind
}

// Shift steps by ten, Ctrl by a hundred, both by a thousand (wrapping in the
// field), as long as the window stays active.
TEST_F(MainWindowTest, SpinControlsStepTheHostAndSubnetFieldsWithTheModifierKeysHeldInTheWindow)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    // Address, mask, spin control (0 host, 1 subnet), up or down, modifiers held, result.
    const std::tuple<const char*, int, int, bool, Qt::KeyboardModifiers, const char*> cases[] = {
        {"192.168.1.1", 24, 0, true, none, "192.168.1.2"},
        {"192.168.1.3", 24, 0, false, none, "192.168.1.2"},
        {"192.168.1.1", 24, 0, true, ctrl, "192.168.1.101"},
        {"192.168.1.1", 24, 0, true, ctrl | shift, "192.168.1.233"},
        {"192.168.1.5", 24, 0, false, shift, "192.168.1.255"},
        {"192.168.1.77", 26, 1, true, none, "192.168.1.141"},
        {"10.1.2.3", 16, 1, false, none, "10.0.2.3"},
    };
    for (const auto& [start, bits, control, up, mods, result] : cases) {
        SCOPED_TRACE(std::string(start) + "/" + std::to_string(bits) + (up ? " up" : " down"));
        setAddress(QLatin1String(start), bits);
        focus(ctl(QStringLiteral("cmdOptions_1")));
        // The modifiers go down one after the other, as on a keyboard.
        Qt::KeyboardModifiers held;
        for (const auto& [mod, k] : {std::pair{ctrl, Qt::Key_Control}, std::pair{shift, Qt::Key_Shift}})
            if (mods & mod) {
                QTest::keyPress(QApplication::focusWidget(), k, held);
                held |= mod;
            }
        QTest::mouseClick(changer(control), Qt::LeftButton, mods, QPoint(8, up ? 1 : changer(control)->height() - 2));
        settle();
        EXPECT_EQ(address(), QLatin1String(result));
        for (const auto& [mod, k] : {std::pair{shift, Qt::Key_Shift}, std::pair{ctrl, Qt::Key_Control}})
            if (mods & mod)
                QTest::keyRelease(QApplication::focusWidget(), k, held &= ~mod);
        EXPECT_FALSE(form->ShiftDown() || form->CtrlDown());
    }
    // Keys let go while another window is active never come up here.
    QTest::keyPress(box(3), Qt::Key_Control);
    switchAway();
    QTest::mouseClick(changer(0), Qt::LeftButton, Qt::NoModifier, QPoint(8, 1));
    settle();
    EXPECT_EQ(address(), QStringLiteral("10.0.2.4")); // a step of one, not 100
}

// The mask spin control steps by click, arrow key or wheel from 8 to 31 bits,
// other keys do nothing; the subnet controls show while the mask is longer
// than the class's.
TEST_F(MainWindowTest, MaskSpinStepsTheMaskWithinItsRangeAndShowsOrHidesTheSubnetControls)
{
    auto* bits = ctl<QLineEdit>(QStringLiteral("txtSubnetBits"));
    UpDown* spin = ctl<UpDown>(QStringLiteral("udSubnet"));
    focus(spin);
    const auto click = [&](int y) { QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, y)); };
    QWheelEvent wheelUp(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
    // A step, how many times it is taken, and the mask it leaves.
    const std::tuple<std::function<void()>, int, int, const char*> steps[] = {
        {[&] { key(Qt::Key_Up); }, 1, 25, "255.255.255.128"},
        {[&] { click(spin->height() - 2); }, 1, 24, "255.255.255.0"},
        {[&] { key(Qt::Key_Down); }, 1, 23, "255.255.254.0"},
        {[&] { key(Qt::Key_A); }, 1, 23, "255.255.254.0"},
        {[&] { QApplication::sendEvent(spin, &wheelUp); }, 1, 24, "255.255.255.0"},
        {[&] { click(1); }, 1, 25, "255.255.255.128"},
        {[&] { key(Qt::Key_Down); }, 30, 8, "255.0.0.0"},
        {[&] { click(1); }, 30, 31, "255.255.255.254"},
    };
    for (const auto& [step, times, mask, dotted] : steps) {
        for (int i = 0; i < times; ++i)
            step();
        settle();
        EXPECT_EQ(bits->text(), QString::number(mask));
        EXPECT_EQ(value(12)->text(), QLatin1String(dotted));
        EXPECT_EQ(changer(1)->isVisible(), mask > 24) << mask;
        EXPECT_EQ(ctl(QStringLiteral("shapeMaskBits_13"))->isVisible(), mask > 24) << mask;
    }
}

// At every zoom each bar starts and ends on the edges of the digits it marks,
// and a dot between the subnet and the host portion lies inside the host bar.
// Every text fits its label, or the value labels of its group shrink alike:
// never below 8 points, never over a neighbour.
TEST_F(MainWindowTest, AtEveryZoomBarsSitUnderTheirDigitsAndEveryTextFits)
{
    const std::pair<const char*, int> cases[] = {
        {"192.168.1.1", 24},    {"192.168.1.1", 26},    {"172.16.5.10", 20},    {"10.1.2.3", 16},
        {"10.1.2.3", 31},       {"224.0.0.1", 24},      {"192.168.1.1", 20},    {"10.1.2.3", 9},
        {"172.16.5.10", 30},    {"192.168.1.1", 31},    {"192.168.1.77", 16},   {"192.168.1.77", 8},
        {"10.255.255.255", 30}, {"10.255.255.255", 31}, {"127.255.255.255", 8}, {"10.0.0.0", 8}};
    const int rows[6] = {0, 1, 2, 21, 3, 4};
    for (int percent = zoom::Normal; percent <= zoom::Largest; percent += zoom::Step) {
        zoom::Zoom::instance().set(percent);
        for (const auto& [address, bits] : cases) {
            SCOPED_TRACE(std::string(address) + "/" + std::to_string(bits) + " at " + std::to_string(percent));
            setAddress(QLatin1String(address), bits);
            const int m = ip().SubnetBits();
            const int network = std::min(m, ip().ClassBits());
            for (int r = 0; r < 6; ++r) {
                const auto* row = static_cast<const BinaryLabel*>(value(rows[r]));
                if (row->text().isEmpty())
                    continue;
                // The left edge of digit `bit` (from 0), or the right edge of the one before.
                auto edge = [&](int bit) { return row->x() + row->cellLeft(bit + (bit - 1) / 8); };
                auto bar = [&](int b) { return ctl(QStringLiteral("shapeMaskBits_%1").arg(3 * r + b))->geometry(); };
                EXPECT_EQ(bar(0).left(), row->x() + row->cellLeft(0)) << r;
                EXPECT_EQ(bar(0).left() + bar(0).width(), edge(network)) << r;
                const int afterNetwork = row->x() + row->cellLeft(network + network / 8);
                EXPECT_EQ(bar(2).left(), m > network ? bar(1).left() + bar(1).width() : afterNetwork) << r;
                // The host bar ends just past the last digit, within a dot's width.
                EXPECT_GE(bar(2).left() + bar(2).width(), edge(32)) << r;
                EXPECT_LE(bar(2).left() + bar(2).width(), edge(32) + px(mainview::kDotTwips, percent)) << r;
                if (m > network) {
                    EXPECT_EQ(bar(1).left(), afterNetwork) << r;
                    EXPECT_EQ(bar(1).left() + bar(1).width(), edge(m)) << r;
                    if (m % 8 == 0) { // the dot before digit m
                        EXPECT_LE(bar(2).left(), row->x() + row->cellLeft(m + m / 8 - 1)) << r;
                    }
                }
            }
            if (percent != zoom::Normal && percent != 125 && percent != 175 && percent != zoom::Largest)
                continue; // texts at the two smallest, a middle and the largest zoom
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
                }
            }
            EXPECT_EQ(groupFont.size(), 4u);
        }
    }
}

// Ctrl+= and Ctrl+- step the whole window, Ctrl+0 goes back; the window
// keeps a fixed size at each step. Zooming in stops at the largest step whose
// window fits the screen; a step moves the window only as far as it must to
// stay whole on the screen, and zooming out leaves it where it is. The zoom is
// kept with the placement; a saved one too large for the screen, or between
// steps, is brought to a step that fits.
TEST_F(MainWindowTest, ZoomKeysScaleTheWholeWindowInStepsThatFitTheScreenAndAreSaved)
{
    const OneScreen sxga(QRect(0, 0, 1280, 1024));
    form->move(700, 600);
    settle();
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Equal, 125}, {Qt::Key_Equal, 150}, {Qt::Key_Minus, 125},
                                             {Qt::Key_0, 100},     {Qt::Key_Minus, 100}, {Qt::Key_Equal, 125},
                                             {Qt::Key_Equal, 150}, {Qt::Key_Equal, 175}, {Qt::Key_Equal, 200},
                                             {Qt::Key_Equal, 225}, {Qt::Key_Equal, 225}, {Qt::Key_Minus, 200}};
    focus(box(1)); // the keys zoom, and type nothing into a box
    QPoint was = form->frameGeometry().topLeft();
    for (const auto& [k, percent] : steps) {
        SCOPED_TRACE(percent);
        const QSize before = form->size();
        key(k, Qt::ControlModifier);
        EXPECT_EQ(zoom::percent(), percent);
        EXPECT_EQ(zoom::Zoom::instance().canZoomIn(), percent < 225);
        EXPECT_EQ(form->size(), QSize(px(8160, percent), px(5175, percent)));
        const QRect outer = form->frameGeometry();
        EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(outer));
        // Grown past the edge: back just inside it; otherwise where it was.
        const QPoint expected(std::min(was.x(), 1280 - outer.width()), std::min(was.y(), 1024 - outer.height()));
        EXPECT_EQ(outer.topLeft(), form->size().width() > before.width() ? expected : was);
        was = outer.topLeft();
    }
    EXPECT_NE(was, QPoint(0, 0));
    EXPECT_EQ(address(), QStringLiteral("192.168.1.1"));
    form->SaveSettings();
    for (const auto& [stored, percent] : {std::pair{0, 200}, std::pair{300, 225}, std::pair{210, 200}}) {
        zoom::Zoom::instance().reset();
        if (stored)
            gApp->RegSettings->AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain_Zoom"), 4, QVariant(),
                                          stored);
        frmMain restored;
        EXPECT_EQ(zoom::percent(), percent) << stored;
    }
}

// Screen readers name every input control and learn from each binary row
// which digits belong to which portion.
TEST_F(MainWindowTest, InputControlsHaveAccessibleNamesAndBinaryRowsDescribeTheirPortions)
{
    const std::pair<const char*, const char*> names[] = {
        {"txtIP_0", "First octet"}, {"txtIP_3", "Fourth octet"}, {"udIPChanger_1", "Step subnet number"}};
    for (const auto& [control, name] : names)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(ctl(QLatin1String(control)))->text(QAccessible::Name),
                  QLatin1String(name));
    QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(ctl(QStringLiteral("udSubnet")));
    EXPECT_EQ(spin->role(), QAccessible::SpinBox);
    spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(ip().SubnetBits(), 25);

    setAddress(QStringLiteral("172.16.5.10"), 31);
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(value(4))->text(QAccessible::Description),
        QStringLiteral("Subnet portion in binary. Network portion: digits 1 to 16. Subnet portion: digits 17 to 31. "
                       "Host portion: digit 32."));
}

// On a screen scaled to twice the size (QT_SCALE_FACTOR=2) the rows and bars
// keep their places: the same tests, run again in such a process.
TEST(ScaledScreen, RowAndBarTestsPassAtTwiceTheScale)
{
    if (qApp->devicePixelRatio() != 1)
        GTEST_SKIP() << "this is the scaled run";
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("QT_SCALE_FACTOR=2"));
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=BinaryRowLabel.*:MainWindowTest.AtEveryZoom*")});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("[  PASSED  ] 2 tests."))) << out.toStdString();
}

// The class value opens the class reference, "&About" the About window; each
// closes with its own button, Enter or Escape and is gone.
TEST_F(MainWindowTest, ClassValueAndAboutOpenTheirWindowsModallyAndEachClosesByButtonOrKey)
{
    const auto previousHelp =
        platform::Forms::registerFactory(QStringLiteral("frmClassHelp"), [] { return new frmClassHelp; });
    const auto previousAbout =
        platform::Forms::registerFactory(QStringLiteral("frmAbout"), [] { return new frmAbout; });
    for (Qt::Key way : {Qt::Key_unknown, Qt::Key_Return, Qt::Key_Escape}) {
        ModalRecorder recorder([&](platform::FormBase& f) {
            f.show();
            QApplication::setActiveWindow(&f); // keys go to the focused control
            if (way != Qt::Key_unknown)
                QTest::keyClick(QApplication::focusWidget(), way);
            else
                f.findChild<QPushButton*>(f.objectName() == "frmAbout" ? "cmdOK" : "cmdOptions")->click();
        });
        QTest::mouseClick(value(11), Qt::LeftButton); // not the class value: nothing opens
        QTest::mouseClick(value(7), Qt::LeftButton);
        ctl<QPushButton>(QStringLiteral("cmdOptions_1"))->click();
        EXPECT_EQ(recorder.shown, (QStringList{QStringLiteral("frmClassHelp"), QStringLiteral("frmAbout")})) << way;
        for (const QString& name : recorder.shown)
            EXPECT_EQ(platform::Forms::find(name), nullptr) << way;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    platform::Forms::registerFactory(QStringLiteral("frmClassHelp"), previousHelp);
    platform::Forms::registerFactory(QStringLiteral("frmAbout"), previousAbout);
}

TEST_F(MainWindowTest, WebLinksOpensThePageBesideTheProgramOrSaysWhyNot)
{
    FakeLauncher launcher;
    form->lblWebLinks_Click();
    EXPECT_TRUE(launcher.calls.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Web Links file is missing.");

    writeFile(QStringLiteral("weblinks.htm"));
    QTest::mouseClick(ctl(QStringLiteral("lblWebLinks")), Qt::LeftButton);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0], "open " + QUrl::fromLocalFile(path(QStringLiteral("weblinks.htm"))).toString());
    EXPECT_EQ(messages.shown.size(), 1u);

    launcher.accept = false; // no program to open web pages: said so, with the page's path
    QTest::mouseClick(ctl(QStringLiteral("lblWebLinks")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    const std::string& said = messages.shown[1].text;
    EXPECT_NE(said.find(path(QStringLiteral("weblinks.htm")).toStdString()), std::string::npos) << said;
    EXPECT_EQ(said.rfind("The Web Links page could not be opened", 0), 0u) << said;
}

// Exit, the close box and the system's close requests end the program; the
// program's own unload passes.
TEST_F(MainWindowTest, ExitAndCloseRequestsByTheUserEndTheProgram)
{
    EXPECT_THROW(ctl<QPushButton>(QStringLiteral("cmdOptions_0"))->click(), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
    // 0: the close box, as the window system reports it.
    for (int mode : {0, int(platform::vbAppWindows), int(platform::vbAppTaskManager)}) {
        open();
        // The close box as an event straight to the window: the test's way
        // out of the process unwinds, and QWidget::close() keeps guards that
        // are not unwound.
        QCloseEvent closeBox;
        EXPECT_THROW(mode ? void(form->RequestUnload(mode)) : void(QCoreApplication::sendEvent(form, &closeBox)),
                     platform::ProcessEnded)
            << mode;
        EXPECT_FALSE(gApp) << mode;
        EXPECT_FALSE(form->isVisible()) << mode;
    }
    open();
    EXPECT_TRUE(form->RequestUnload(platform::vbFormCode));
    EXPECT_TRUE(gApp);
}

} // namespace

namespace {

// Sends a right-click's menu request to a control, as the window system does.
void rightClick(QWidget* w)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w, &event);
    QApplication::processEvents();
}

QMenu* openMenu(const QWidget* under, const QString& name)
{
    for (QMenu* m : under->findChildren<QMenu*>(name))
        if (m->isVisible())
            return m;
    return nullptr;
}

} // namespace

// A whole address pasted into any octet box, by Ctrl+V or by the box's own
// menu, fills the four boxes and sets the mask (a bare address keeps it);
// anything else changes nothing. The box's menu offers no key it refuses.
TEST_F(MainWindowTest, PastingAWholeAddressIntoAnOctetBoxFillsAllFourAndTheMask)
{
    const std::tuple<const char*, const char*, int> cases[] = {{"192.168.1.77/26", "192.168.1.77", 26},
                                                               {"10.1.2.3 255.255.0.0\n", "10.1.2.3", 16},
                                                               {"172.16.5.10", "172.16.5.10", 24},
                                                               {"192.168.1.77/32", "192.168.1.1", 24},
                                                               {"7", "192.168.1.1", 24}};
    int k = 0;
    for (const bool byMenu : {false, true})
        for (const auto& [text, shown, bits] : cases) {
            SCOPED_TRACE(std::string(text) + (byMenu ? " by the menu" : " by Ctrl+V"));
            form->SetAddress(0xC0A80101, 24);
            QGuiApplication::clipboard()->setText(QLatin1String(text));
            QLineEdit* into = box(k++ % 4);
            focus(into);
            if (byMenu) {
                rightClick(into);
                EXPECT_EQ(openMenu(form, QStringLiteral("mnuWindow")), nullptr);
                QMenu* menu = openMenu(into, QStringLiteral("mnuOctetBox"));
                ASSERT_NE(menu, nullptr);
                for (QAction* a : menu->actions())
                    EXPECT_EQ(a->text().contains(QLatin1Char('\t')), a->objectName() == QLatin1String("edit-paste"));
                menu->findChild<QAction*>(QStringLiteral("edit-paste"))->trigger();
                menu->close();
                settle();
            } else {
                key(Qt::Key_V, Qt::ControlModifier);
            }
            EXPECT_EQ(address(), QLatin1String(shown));
            EXPECT_EQ(ctl<QLineEdit>(QStringLiteral("txtSubnetBits"))->text(), QString::number(bits));
            EXPECT_EQ(value(11)->text(), QLatin1String(shown)); // the fields follow
        }
}

// Ctrl+C anywhere in the window, octet boxes included, copies the report the
// terminal tool prints for the address.
TEST_F(MainWindowTest, CtrlCCopiesTheTerminalReportOfTheAddress)
{
    QProcess tool;
    tool.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("LC_ALL=C") << QStringLiteral("NO_COLOR=1"));
    tool.start(QStringLiteral(QM_TEST_BINARY_DIR "/quillmark"), {QStringLiteral("192.168.1.77/26")});
    ASSERT_TRUE(tool.waitForFinished(10000));
    const QString printed = QString::fromUtf8(tool.readAllStandardOutput());
    ASSERT_TRUE(printed.contains(QLatin1String("192.168.1.77"))) << printed.toStdString();
    form->SetAddress(0xC0A8014D, 26);
    for (QWidget* w : {static_cast<QWidget*>(box(2)), ctl(QStringLiteral("cmdOptions_1"))}) {
        QGuiApplication::clipboard()->clear();
        focus(w);
        key(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), printed) << w->objectName().toStdString();
    }
    EXPECT_EQ(address(), QStringLiteral("192.168.1.77"));
}

// A right-click outside the octet boxes opens the menu of every window and
// action with its keys, named for screen readers.
TEST_F(MainWindowTest, RightClickOutsideTheOctetBoxesListsEveryWindowAndAction)
{
    const QStringList names = {"Subnet table", "IPv6 calculator", "Practice",        "Copy report",
                               "Zoom in",      "Zoom out",        "Zoom 100%",       "Class reference",
                               "Web Links",    "Keys and actions", "About",          "Exit"};
    const QStringList keys = {"Ctrl+L", "Ctrl+6", "Ctrl+P", "Ctrl+C", "Ctrl+=", "Ctrl+-",
                              "Ctrl+0", "",       "",       "F1",     "",       ""};
    for (const char* on : {"lblValues_13", "Frame1", "txtSubnetBits", "cmdOptions_0"}) {
        rightClick(ctl(QLatin1String(on)));
        QMenu* menu = openMenu(form, QStringLiteral("mnuWindow"));
        ASSERT_NE(menu, nullptr) << on;
        QStringList named, shown;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < a->childCount(); ++i)
            if (const QString name = a->child(i)->text(QAccessible::Name); !name.isEmpty())
                named << name;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                shown << action->shortcut().toString(QKeySequence::PortableText);
        EXPECT_EQ(named, names) << on;
        EXPECT_EQ(shown, keys) << on;
        EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("mnuZoomOut"))->isEnabled()); // at 100%
        menu->close();
    }
}

// F1 opens the keys list; it follows the zoom with every row in view, Escape
// closes it alone, and it opens again where it was left.
TEST_F(MainWindowTest, F1OpensTheKeysListWhichFollowsTheZoomAndClosesWithEscape)
{
    const OneScreen large(QRect(0, 0, 3840, 2160));
    const auto previous = platform::Forms::registerFactory(QStringLiteral("frmKeys"), [] { return new frmKeys; });
    const auto openKeys = [&] {
        QApplication::setActiveWindow(form);
        focus(box(0));
        key(Qt::Key_F1);
        return QPointer<frmKeys>(dynamic_cast<frmKeys*>(platform::Forms::find(QStringLiteral("frmKeys"))));
    };
    QPointer<frmKeys> keys = openKeys();
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(keys->isVisible());
    QTreeWidget* list = keys->lvKeys();
    QApplication::setActiveWindow(keys);
    for (int percent : {125, 150, 100}) {
        QTest::keyClick(keys, percent == 100 ? Qt::Key_0 : Qt::Key_Equal, Qt::ControlModifier);
        settle();
        EXPECT_EQ(QFontInfo(list->font()).pixelSize(),
                  QFontInfo(mainlayout::designFont(list->font(), percent)).pixelSize());
        const QTreeWidgetItem* last = list->topLevelItem(list->topLevelItemCount() - 1);
        EXPECT_LE(list->visualItemRect(last).bottom(), list->viewport()->height()) << percent;
        EXPECT_LE(list->header()->sectionPosition(1) + list->header()->sectionSize(1), list->viewport()->width());
        EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    }
    keys->move(40, 50);
    settle();
    const QPoint leftAt = keys->pos();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(keys.isNull());
    EXPECT_TRUE(form->isVisible());
    keys = openKeys();
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->pos(), leftAt);
    keys->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::Forms::registerFactory(QStringLiteral("frmKeys"), previous);
}
