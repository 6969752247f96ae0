#include "../../shell/shellfakes.h"
#include "platform/forms.h"
#include "testsupport.h"
#include "ui/about/frmabout.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

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

TEST_F(FrmAboutTest, LoadShowsTheAboutTexts)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("About Quillmark"));
    EXPECT_EQ(child("lblTitle")->text(), QStringLiteral("Quillmark"));
    EXPECT_EQ(child("lblVersion")->text(), QStringLiteral("Version 1.05")); // minor and revision run together
    EXPECT_TRUE(child("lblDescription")->text().startsWith("Please feel free to report bugs"));
    EXPECT_TRUE(child("Label1")->text().contains("free of charge"));
    EXPECT_TRUE(child("lblHyperlink_0")->text().startsWith("mailto:"));
    EXPECT_TRUE(child("lblHyperlink_1")->text().startsWith("https://"));
    EXPECT_FALSE(child("picIcon")->pixmap().isNull());
}

TEST_F(FrmAboutTest, LinksUnderlineOnHoverAndClearOnlyOverTheWindowSurface)
{
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
}

TEST_F(FrmAboutTest, ClickingALinkOpensItsCaption)
{
    click("lblHyperlink_1");
    click("lblHyperlink_0");
    EXPECT_EQ(launcher.seen(),
              QStringList({"open " + child("lblHyperlink_1")->text(), "open " + child("lblHyperlink_0")->text()}));
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
    QDir(dir.path()).mkdir("nomsinfo");
    QDir(dir.path()).mkdir("msinfo");
    writeFile("msinfo/MSINFO32.EXE");
    const QByteArray tool("/opt/msinfo/msinfo32\0", 21);
    struct Case {
        const char* what;
        QString key, name;
        quint32 type;
        QByteArray data;
        bool accept;
        QString started; // empty: reported unavailable
    };
    const Case cases[] = {
        {"neither value", "", "", reg::RegSz, "", true, ""},
        {"location without the tool", LocationKey, "MSINFO", reg::RegSz, path("nomsinfo").toLocal8Bit(), true, ""},
        {"path not a string", MsinfoKey, "PATH", reg::RegBinary, QByteArray(4, '\1'), true, ""},
        {"location", LocationKey, "MSINFO", reg::RegSz, path("msinfo").toLocal8Bit(), true,
         path("msinfo/MSINFO32.EXE")},
        {"path", MsinfoKey, "PATH", reg::RegSz, tool, true, "/opt/msinfo/msinfo32"},
        // A tool that will not start is as good as none.
        {"tool refuses to start", MsinfoKey, "PATH", reg::RegSz, tool, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeRegistry registry;
        registry.set(c.key, c.name, c.type, c.data);
        messages.shown.clear();
        launcher.calls.clear();
        launcher.accept = c.accept;
        child<QPushButton>("cmdSysInfo")->click();
        if (c.started.isEmpty()) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
            EXPECT_EQ(messages.shown[0].style, vbOKOnly);
        } else {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(launcher.seen(), QStringList("start " + c.started + " [] in "));
        }
        EXPECT_TRUE(registry.onlyRead);
    }
}

TEST_F(FrmAboutTest, OkEnterAndEscapeUnloadTheWindow)
{
    for (Qt::Key key : {Qt::Key_unknown, Qt::Key_Return, Qt::Key_Escape}) {
        if (!form)
            form = new frmAbout;
        if (key == Qt::Key_unknown)
            child<QPushButton>("cmdOK")->click();
        else
            QTest::keyClick(form, key);
        EXPECT_EQ(Forms::find("frmAbout"), nullptr) << key;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull());
    }
}

} // namespace
