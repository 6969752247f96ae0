#include "../../shell/shellfakes.h"
#include "testsupport.h"
#include "ui/about/frmabout.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

using namespace platform;

namespace {

class FrmAboutTest : public FrameworkTest {
protected:
    void TearDown() override
    {
        delete form.data();
        FrameworkTest::TearDown();
    }
    template <typename W = QLabel> W* child(const char* name) const
    {
        return form->findChild<W*>(QString::fromLatin1(name));
    }
    // A mouse event on a control; nullptr: on the window's own surface.
    void send(const char* name, QEvent::Type type, Qt::MouseButton button = Qt::NoButton)
    {
        QWidget* w = name ? child<QWidget>(name) : form.data();
        const QPoint at = name ? QPoint(2, 2) : QPoint(300, 8);
        ASSERT_EQ(form->childAt(w->mapTo(form, at)), name ? w : nullptr);
        QMouseEvent e(type, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void click(const char* name)
    {
        send(name, QEvent::MouseButtonPress, Qt::LeftButton);
        send(name, QEvent::MouseButtonRelease, Qt::LeftButton);
    }

    FakeLauncher launcher;
    QPointer<frmAbout> form = new frmAbout;
};

// The window shows the program's version and icon. Links underline on hover,
// cleared only over the window's own surface; a click opens the link's caption.
TEST_F(FrmAboutTest, ShowsVersionAndIconAndLinksUnderlineOnHoverAndOpenWhenClicked)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("About Quillmark"));
    EXPECT_EQ(child("lblVersion")->text(), QStringLiteral("Version 1.05")); // minor and revision run together
    EXPECT_FALSE(child("picIcon")->pixmap().isNull());
    // nullptr: the window's own surface.
    const std::tuple<const char*, bool, bool> steps[] = {
        {"lblHyperlink_0", true, false}, {"lblHyperlink_1", true, true}, {"lblDescription", true, true},
        {"cmdOK", true, true},           {"picIcon", true, true},        {nullptr, false, false},
        {"lblHyperlink_1", false, true}, {"Label1", false, true},        {nullptr, false, false}};
    for (const auto& [over, first, second] : steps) {
        send(over, QEvent::MouseMove);
        EXPECT_EQ(child("lblHyperlink_0")->font().underline(), first) << (over ? over : "surface");
        EXPECT_EQ(child("lblHyperlink_1")->font().underline(), second) << (over ? over : "surface");
    }
    click("lblHyperlink_1");
    click("lblHyperlink_0");
    const QStringList opened = launcher.seen();
    EXPECT_EQ(opened,
              QStringList({"open " + child("lblHyperlink_1")->text(), "open " + child("lblHyperlink_0")->text()}));
    EXPECT_TRUE(opened[0].startsWith("open https://") && opened[1].startsWith("open mailto:"));
    // Pressing on one link and letting go on the other opens nothing.
    send("lblHyperlink_0", QEvent::MouseButtonPress, Qt::LeftButton);
    send("lblHyperlink_1", QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(launcher.calls.size(), 2u);
    EXPECT_TRUE(messages.shown.empty()); // a refused or accepted link is silent
}

TEST_F(FrmAboutTest, SystemInfoStartsFromEitherRegistryValueOrIsUnavailable)
{
    const QString MsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
    QDir(dir.path()).mkdir("msinfo");
    writeFile("msinfo/MSINFO32.EXE");
    const QByteArray tool("/opt/msinfo/msinfo32\0", 21);
    // What, key, value name, type, data, whether a tool would start, what started ("": said unavailable).
    const std::tuple<const char*, QString, QString, quint32, QByteArray, bool, QString> cases[] = {
        {"neither value", "", "", reg::RegSz, "", true, ""},
        {"location without the tool", LocationKey, "MSINFO", reg::RegSz, dir.path().toLocal8Bit(), true, ""},
        {"path not a string", MsinfoKey, "PATH", reg::RegBinary, QByteArray(4, '\1'), true, ""},
        {"location", LocationKey, "MSINFO", reg::RegSz, path("msinfo").toLocal8Bit(), true,
         path("msinfo/MSINFO32.EXE")},
        {"path", MsinfoKey, "PATH", reg::RegSz, tool, true, "/opt/msinfo/msinfo32"},
        // A tool that will not start is as good as none.
        {"tool refuses to start", MsinfoKey, "PATH", reg::RegSz, tool, false, ""},
    };
    for (const auto& [what, key, name, type, data, accept, started] : cases) {
        SCOPED_TRACE(what);
        FakeRegistry registry;
        registry.set(key, name, type, data);
        messages.shown.clear();
        launcher.calls.clear();
        launcher.accept = accept;
        child<QPushButton>("cmdSysInfo")->click();
        if (started.isEmpty()) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
            EXPECT_EQ(messages.shown[0].style, vbOKOnly);
        } else {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(launcher.seen(), QStringList("start " + started + " [] in "));
        }
        EXPECT_TRUE(registry.onlyRead);
    }
}

} // namespace
