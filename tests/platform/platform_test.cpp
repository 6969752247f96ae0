#include "platform/appinfo.h"
#include "platform/forms.h"
#include "platform/messagebox.h"
#include "testsupport.h"
#include "util/fakeform.h"

using namespace platform;

namespace {

class PlatformTest : public FrameworkTest {};

TEST_F(PlatformTest, WithNobodyToAskABoxAnswersWithTheFirstButtonOfItsSet)
{
    const std::pair<int, int> rows[] = {{vbOKOnly, vbOK},
                                        {vbOKCancel, vbOK},
                                        {vbAbortRetryIgnore, vbAbort},
                                        {vbYesNoCancel, vbYes},
                                        {vbYesNo | vbCritical, vbYes},
                                        {vbRetryCancel | vbExclamation, vbRetry}};
    MessageSink* scripted = setMessageSink(nullptr); // the terminal's own boxes
    for (const auto& [style, answer] : rows)
        EXPECT_EQ(MsgBox(QStringLiteral("Save?"), style), answer) << style;
    setMessageSink(scripted);

    MsgBox(QStringLiteral("Save?"), vbYesNo);
    MsgBox(QStringLiteral("Again?"), vbYesNo, QStringLiteral("Own title"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].title, App().title);
    EXPECT_EQ(messages.shown[1].title, QStringLiteral("Own title"));
}

TEST_F(PlatformTest, WindowsLoadOnceByNameInAnyCaseAndListInLoadOrder)
{
    ASSERT_TRUE(Forms::loaded().empty());
    int created = 0;
    const auto previous = Forms::registerFactory(QStringLiteral("frmPlatformProbe"), [&]() -> Form* {
        ++created;
        return new FakeForm(QStringLiteral("frmPlatformProbe"));
    });
    FakeForm first(QStringLiteral("frmMain"));
    Form* probe = Forms::load(QStringLiteral("FRMPLATFORMPROBE"));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(Forms::load(QStringLiteral("frmPlatformProbe")), probe);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(Forms::load(QStringLiteral("frmNoSuchWindow")), nullptr);
    EXPECT_EQ(Forms::loaded(), (std::vector<Form*>{&first, probe}));

    delete probe;
    EXPECT_EQ(Forms::loaded(), std::vector<Form*>{&first});
    Forms::registerFactory(QStringLiteral("frmPlatformProbe"), previous);
}

} // namespace
