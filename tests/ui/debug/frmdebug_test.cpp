#include "testsupport.h"
#include "ui/debug/debugsnapshot.h"
#include "ui/debug/frmdebug.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

TEST(DebugUpTime, ReadsAsNiceTimeSinceTheStart)
{
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    EXPECT_EQ(upTimeText(QDateTime(), start), QStringLiteral("Uptime: not started"));
    EXPECT_EQ(upTimeText(start, start.addSecs(61)), QStringLiteral("Uptime: 1 minute, 1 second"));
    EXPECT_EQ(upTimeText(start, start.addSecs(-30)), QStringLiteral("Uptime: 0 seconds")); // clock set back
}

class DebugWindow : public FrameworkTest {};

// The live procedure stack and the loaded windows; auto-update runs the
// refresh timer, and clearing the logs removes the error report.
TEST_F(DebugWindow, ShowsTheLiveStackAndWindowsUpdatesByTimerAndClearsTheReport)
{
    handler->Push("Main");
    handler->Push("frmMain.UpdateForm()");

    platform::FormBase other(QStringLiteral("frmOther"), platform::bsSizable);
    other.setWindowTitle(QStringLiteral("Other"));
    other.show();
    auto* debug = new frmDebug;
    const auto* stack = debug->findChild<QListWidget*>(QStringLiteral("lstStack"));
    ASSERT_GE(stack->count(), 2);
    EXPECT_EQ(stack->item(0)->text(), QStringLiteral("01  Main"));
    EXPECT_EQ(stack->item(1)->text(), QStringLiteral("02  frmMain.UpdateForm()"));
    // The refresh itself is live.
    EXPECT_TRUE(stack->item(stack->count() - 1)->text().endsWith(QStringLiteral("frmDebug.RefreshForm()")));

    const auto* windows = debug->findChild<QListWidget*>(QStringLiteral("lstWindows"));
    for (const char* shown : {"frmOther - \"Other\"", "frmDebug - \"Debug Window\" (hidden)"})
        EXPECT_EQ(windows->findItems(QLatin1String(shown), Qt::MatchExactly).size(), 1) << shown;

    auto* timer = debug->findChild<QTimer*>(QStringLiteral("timerRefresh"));
    EXPECT_FALSE(timer->isActive());
    for (bool on : {true, false}) {
        debug->findChild<QCheckBox*>(QStringLiteral("chkTimerEnabled"))->click();
        EXPECT_EQ(timer->isActive(), on);
    }
    writeFile(QStringLiteral("error.log"));
    debug->findChild<QPushButton*>(QStringLiteral("cmdClearLogs"))->click();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty());

    debug->Unload();
    handler->Pop();
    handler->Pop();
    EXPECT_EQ(handler->ErrNumber(), 0);
}
