#include "../../shell/shellfakes.h"
#include "platform/forms.h"
#include "shell/aboutinfo.h"
#include "testsupport.h"
#include "ui/about/frmabout.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace platform;

namespace {

class FrmAboutTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        form = new frmAbout;
    }
    void TearDown() override
    {
        delete form.data();
        FrameworkTest::TearDown();
    }
    template <typename W = QLabel> W* child(const char* name) const
    {
        W* w = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void send(QWidget* w, QEvent::Type type, QPoint pos = QPoint(2, 2), Qt::MouseButton button = Qt::NoButton)
    {
        QMouseEvent e(type, pos, w->mapToGlobal(pos), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void moveOver(const char* name) { send(child<QWidget>(name), QEvent::MouseMove); }
    void moveOverSurface()
    {
        const QPoint empty(300, 8);
        ASSERT_EQ(form->childAt(empty), nullptr);
        send(form, QEvent::MouseMove, empty);
    }
    void click(const char* name)
    {
        send(child<QWidget>(name), QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
        send(child<QWidget>(name), QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton);
    }
    std::pair<bool, bool> underlines() const
    {
        return {child("lblHyperlink_0")->font().underline(), child("lblHyperlink_1")->font().underline()};
    }

    FakeLauncher launcher;
    QPointer<frmAbout> form;
};

TEST_F(FrmAboutTest, LoadShowsTheAboutTexts)
{
    EXPECT_EQ(form->windowTitle(), about::Caption());
    EXPECT_EQ(child("lblTitle")->text().toStdString(), platform::App().title);
    EXPECT_EQ(child("lblVersion")->text(), about::VersionText());
    EXPECT_EQ(child("lblDescription")->text(), about::DescriptionText());
    EXPECT_EQ(child("lblHyperlink_0")->text(), about::MailLink());
    EXPECT_EQ(child("lblHyperlink_1")->text(), about::HomePageLink());
    EXPECT_FALSE(child("picIcon")->pixmap().isNull());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FrmAboutTest, LinksUnderlineOnHoverAndClearOnlyOverTheWindowSurface)
{
    // nullptr: the window's own surface.
    const std::tuple<const char*, bool, bool> steps[] = {
        {"lblHyperlink_0", true, false}, {"lblHyperlink_1", true, true}, {"lblDescription", true, true},
        {"cmdOK", true, true},           {"picIcon", true, true},        {nullptr, false, false},
        {"lblHyperlink_1", false, true}, {"Label1", false, true},        {nullptr, false, false}};
    for (const auto& [over, first, second] : steps) {
        if (over)
            moveOver(over);
        else
            moveOverSurface();
        EXPECT_EQ(underlines(), std::make_pair(first, second)) << (over ? over : "surface");
    }
}

TEST_F(FrmAboutTest, ClickingALinkOpensItsCaption)
{
    click("lblHyperlink_1");
    click("lblHyperlink_0");
    ASSERT_EQ(launcher.calls.size(), 2u);
    EXPECT_EQ(launcher.calls[0].action, "open");
    EXPECT_EQ(launcher.calls[0].target, child("lblHyperlink_1")->text());
    EXPECT_EQ(launcher.calls[1].target, child("lblHyperlink_0")->text());

    // Pressing on one link and letting go on the other opens nothing.
    send(child<QWidget>("lblHyperlink_0"), QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    send(child<QWidget>("lblHyperlink_1"), QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton);
    EXPECT_EQ(launcher.calls.size(), 2u);
    EXPECT_TRUE(messages.shown.empty()); // a refused or accepted link is silent
}

TEST_F(FrmAboutTest, SystemInfoButtonReportsTheToolUnavailable)
{
    FakeRegistry emptyRegistry;
    child<QPushButton>("cmdSysInfo")->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(messages.shown[0].style, vbOKOnly);
    EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(FrmAboutTest, OkEnterAndEscapeUnloadTheWindow)
{
    const std::function<void()> closers[] = {
        [&] { child<QPushButton>("cmdOK")->click(); },
        [&] { QTest::keyClick(form, Qt::Key_Return); },
        [&] { QTest::keyClick(form, Qt::Key_Escape); },
    };
    for (const auto& close : closers) {
        if (!form)
            form = new frmAbout;
        ASSERT_NE(Forms::find("frmAbout"), nullptr);
        close();
        EXPECT_EQ(Forms::find("frmAbout"), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull());
    }
}

} // namespace
