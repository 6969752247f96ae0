#include "../../shell/shellfakes.h"
#include "app/clsapp.h"
#include "guisupport.h"
#include "platform/forms.h"
#include "testsupport.h"
#include "ui/about/frmabout.h"
#include "ui/main/frmmain.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

// The main window's web-links label and About button, with the desktop's
// opener replaced.
class MainWindowCommandsTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        gApp = std::make_unique<clsApp>();
        form = new frmMain;
    }
    void TearDown() override
    {
        delete form.data();
        gApp.reset();
        FrameworkTest::TearDown();
    }

    FakeLauncher launcher;
    QPointer<frmMain> form;
};

TEST_F(MainWindowCommandsTest, WebLinksOpensThePageBesideTheProgram)
{
    writeFile("weblinks.htm");

    QTest::mouseClick(form->findChild<QWidget*>("lblWebLinks"), Qt::LeftButton);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].action, "open");
    EXPECT_EQ(launcher.calls[0].target, QUrl::fromLocalFile(path("weblinks.htm")).toString());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowCommandsTest, MissingWebLinksPageOpensNothing)
{
    form->lblWebLinks_Click();
    EXPECT_TRUE(launcher.calls.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Web Links file is missing.");
    EXPECT_EQ(messages.shown[0].title, "Error");
    EXPECT_EQ(messages.shown[0].style, platform::vbExclamation | platform::vbOKOnly);
}

TEST_F(MainWindowCommandsTest, AboutOpensTheAboutWindowModallyAndOkClosesIt)
{
    const auto previous = platform::Forms::registerFactory("frmAbout", [] { return new frmAbout; });
    QString caption;
    ModalRecorder recorder([&](platform::FormBase& f) {
        caption = f.windowTitle();
        f.findChild<QPushButton*>("cmdOK")->click();
    });
    form->findChild<QPushButton*>("cmdOptions_1")->click();
    EXPECT_EQ(recorder.shown, QStringList{"frmAbout"});
    EXPECT_EQ(caption, "About Quillmark");
    EXPECT_EQ(platform::Forms::find("frmAbout"), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::Forms::registerFactory("frmAbout", previous);
}

} // namespace
