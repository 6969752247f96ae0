#include "testsupport.h"
#include "ui/debug/debugsnapshot.h"
#include "ui/debug/frmdebug.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QStringList items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
} // namespace

TEST(DebugUpTime, ReadsAsNiceTimeSinceTheStart)
{
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    EXPECT_EQ(upTimeText(QDateTime(), start), QStringLiteral("Uptime: not started"));
    EXPECT_EQ(upTimeText(start, start.addSecs(61)), QStringLiteral("Uptime: 1 minute, 1 second"));
    EXPECT_EQ(upTimeText(start, start.addSecs(-30)), QStringLiteral("Uptime: 0 seconds")); // clock set back
}

class DebugWindow : public FrameworkTest {};

TEST_F(DebugWindow, ShowsTheLiveStackAndTheLoadedWindows)
{
    handler->Push("Main");
    handler->Push("frmMain.UpdateForm()");

    platform::FormBase other(QStringLiteral("frmOther"), platform::bsSizable);
    other.setWindowTitle(QStringLiteral("Other"));
    other.show();
    auto* debug = new frmDebug;
    const QStringList stack = items(debug->findChild<QListWidget*>(QStringLiteral("lstStack")));
    ASSERT_GE(stack.size(), 2);
    EXPECT_EQ(stack.mid(0, 2), (QStringList{QStringLiteral("01  Main"), QStringLiteral("02  frmMain.UpdateForm()")}));
    EXPECT_TRUE(stack.last().endsWith(QStringLiteral("frmDebug.RefreshForm()"))); // the refresh itself is live

    auto* windows = debug->findChild<QListWidget*>(QStringLiteral("lstWindows"));
    EXPECT_TRUE(items(windows).contains(QStringLiteral("frmOther - \"Other\"")));
    EXPECT_TRUE(items(windows).contains(QStringLiteral("frmDebug - \"Debug Window\" (hidden)")));

    debug->Unload();
    handler->Pop();
    handler->Pop();
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(DebugWindow, AutoUpdateRunsTheTimerAndClearLogsRemovesTheReport)
{
    auto* debug = new frmDebug;
    auto* timer = debug->findChild<QTimer*>(QStringLiteral("timerRefresh"));
    auto* autoUpdate = debug->findChild<QCheckBox*>(QStringLiteral("chkTimerEnabled"));
    EXPECT_FALSE(timer->isActive());
    autoUpdate->click();
    EXPECT_TRUE(timer->isActive());
    autoUpdate->click();
    EXPECT_FALSE(timer->isActive());

    writeFile(QStringLiteral("error.log"));
    debug->findChild<QPushButton*>(QStringLiteral("cmdClearLogs"))->click();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty());
    debug->Unload();
}
