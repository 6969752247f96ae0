#include "platform/desktoplauncher.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

// The real launcher: a started process is seen running until it ends, and an
// ended one is never mistaken for running.
TEST(DesktopLauncherTest, SeesItsOwnProcessRunUntilItEnds)
{
    platform::DesktopLauncher& real = platform::desktopLauncher();
    qint64 pid = 0;
    ASSERT_TRUE(real.startProgram(QStandardPaths::findExecutable("sleep"), {"30"}, QString(), &pid));
    EXPECT_TRUE(real.isRunning(pid));
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    QElapsedTimer t;
    t.start();
    while (real.isRunning(pid) && t.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_FALSE(real.isRunning(pid));
    EXPECT_FALSE(real.isRunning(0));
    EXPECT_FALSE(real.isRunning(-1));
}
