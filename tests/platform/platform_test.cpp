#include "platform/appinfo.h"
#include "platform/forms.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "util/fakeform.h"

using namespace platform;

namespace {

class PlatformTest : public FrameworkTest {};

TEST_F(PlatformTest, MessageBoxAnswersAndTitles)
{
    const std::pair<int, int> rows[] = {{vbOKOnly, vbOK},
                                        {vbOKCancel, vbOK},
                                        {vbAbortRetryIgnore, vbAbort},
                                        {vbYesNoCancel, vbYes},
                                        {vbYesNo | vbCritical, vbYes},
                                        {vbRetryCancel | vbExclamation, vbRetry},
                                        {vbInformation, vbOK}};
    for (const auto& [style, answer] : rows)
        EXPECT_EQ(defaultAnswer(style), answer) << style;
    EXPECT_EQ(buttonsOf(vbYesNo | vbQuestion), vbYesNo);
    EXPECT_EQ(iconOf(vbYesNo | vbQuestion), vbQuestion);

    messages.answer(vbNo);
    EXPECT_EQ(MsgBox("Save?", vbYesNo), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Again?"), vbYesNo, QStringLiteral("Own title")), vbYes);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].title, "Quillmark");
    EXPECT_EQ(messages.shown[1].title, "Own title");
    Beep();
    EXPECT_EQ(messages.beeps, 1);
}

// The program's folder is the one the running executable is in.
TEST_F(PlatformTest, AppPathIsTheExecutablesFolder)
{
    setAppPathOverride({});
    EXPECT_EQ(qstr(AppPath()), QCoreApplication::applicationDirPath());
}

TEST_F(PlatformTest, LoadedWindowsInLoadOrder)
{
    ASSERT_TRUE(Forms::loaded().empty());
    int created = 0;
    Forms::registerFactory(QStringLiteral("frmPlatformProbe"), [&]() -> Form* {
        ++created;
        return new FakeForm(QStringLiteral("frmPlatformProbe"));
    });
    FakeForm first(QStringLiteral("frmMain"));
    Form* probe = Forms::load(QStringLiteral("FRMPLATFORMPROBE"));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(Forms::load(QStringLiteral("frmPlatformProbe")), probe);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(Forms::load(QStringLiteral("frmNoSuchWindow")), nullptr);
    ASSERT_EQ(Forms::loaded().size(), 2u);
    EXPECT_EQ(Forms::loaded()[0], &first);
    EXPECT_EQ(Forms::loaded()[1], probe);
    EXPECT_EQ(Forms::find(QStringLiteral("FrmMain")), &first);

    delete probe;
    EXPECT_EQ(Forms::loaded().size(), 1u);
    EXPECT_EQ(Forms::find(QStringLiteral("frmPlatformProbe")), nullptr);
}

} // namespace
