#include "platform/desktopshell.h"
#include "shellfakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

using namespace platform;
using namespace platform::shellcode;

namespace {

class DesktopShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        write(QStringLiteral("page.htm"), false);
        write(QStringLiteral("tool.sh"), true);
    }
    void write(const QString& name, bool executable)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(executable ? "#!/bin/sh\nexit 0\n" : "<html></html>\n");
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString url(const QString& name) const { return QUrl::fromLocalFile(path(name)).toString(); }

    long simple(const QString& verb, const QString& file)
    {
        return desktopShell().execute(0, verb, file, QString(), QString(), swShowNormal);
    }
    ShellExecuteInfo extended(const QString& file, const QString& parameters = QString(),
                              const QString& directory = QString())
    {
        ShellExecuteInfo info;
        info.mask = SeeMaskNoCloseProcess | SeeMaskDoEnvSubst;
        info.verb = QStringLiteral("Open");
        info.file = file;
        info.parameters = parameters;
        info.directory = directory;
        desktopShell().executeEx(info);
        return info;
    }

    QTemporaryDir dir;
    FakeLauncher fake;
};

TEST_F(DesktopShellTest, SimpleLaunchesGoToTheDesktopOpenerOrAreRefusedWithACode)
{
    struct Case {
        QString verb, file;
        long code;
        QString action, target; // empty action: the opener is not asked
    };
    const QString page = path("page.htm");
    const Case cases[] = {
        {"", "https://example.org/a?b=1", Accepted, "open", "https://example.org/a?b=1"},
        {"", page, Accepted, "open", url("page.htm")},
        {"", url("page.htm"), Accepted, "open", url("page.htm")},
        {"open", path("sub"), Accepted, "open", url("sub")},
        {"explore", path("sub"), Accepted, "open", url("sub")},
        {"print", page, Accepted, "print", page},
        {"", path("absent.htm"), FileNotFound, "", ""},
        {"", url("absent.htm"), FileNotFound, "", ""},
        {"", path("nofolder/page.htm"), PathNotFound, "", ""},
        {"", "", FileNotFound, "", ""},
        {"explore", page, NoAssociation, "", ""},
        {"print", path("sub"), NoAssociation, "", ""},
        {"print", "https://example.org/", NoAssociation, "", ""},
        {"edit", page, NoAssociation, "", ""},
        // A simple launch never runs a program itself, executable or not.
        {"", path("tool.sh"), Accepted, "open", url("tool.sh")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.verb + " " + c.file).toStdString());
        fake.calls.clear();
        EXPECT_EQ(simple(c.verb, c.file), c.code);
        if (c.action.isEmpty()) {
            EXPECT_TRUE(fake.calls.empty());
        } else {
            ASSERT_EQ(fake.calls.size(), 1u);
            EXPECT_EQ(fake.calls[0].action, c.action);
            EXPECT_EQ(fake.calls[0].target, c.target);
        }
    }
}

TEST_F(DesktopShellTest, ProgramStartsWithSplitParametersInItsFolderAndReportsItsProcess)
{
    const ShellExecuteInfo info = extended(path("tool.sh"), "-v \"two words\" 'x y' z", path("sub"));
    EXPECT_EQ(info.instApp, Accepted);
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(fake.calls[0].action, "start");
    EXPECT_EQ(fake.calls[0].target, path("tool.sh"));
    EXPECT_EQ(fake.calls[0].arguments, QStringList({"-v", "two words", "'x", "y'", "z"}));
    EXPECT_EQ(fake.calls[0].folder, path("sub"));
    EXPECT_EQ(info.process, 4242);

    qint64 pid = info.process;
    long code = 0;
    ASSERT_TRUE(desktopShell().exitCodeOfProcess(pid, &code));
    EXPECT_EQ(code, StillActive);
    fake.running.remove(pid);
    ASSERT_TRUE(desktopShell().exitCodeOfProcess(pid, &code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(desktopShell().exitCodeOfProcess(0, &code));

    // Without being asked for, no process is kept.
    ShellExecuteInfo plain;
    plain.verb = QStringLiteral("open");
    plain.file = path("tool.sh");
    EXPECT_TRUE(desktopShell().executeEx(plain));
    EXPECT_EQ(plain.process, 0);
}

TEST_F(DesktopShellTest, ExtendedLaunchNamesAndFolders)
{
    qputenv("QM_SHELL_TEST_DIR", dir.path().toLocal8Bit());
    struct Case {
        QString file, directory;
        long code;
        QString action, target;
    };
    const Case cases[] = {
        // Relative names are found in the start-in folder.
        {"tool.sh", dir.path(), Accepted, "start", path("tool.sh")},
        {"%QM_SHELL_TEST_DIR%/tool.sh", "", Accepted, "start", path("tool.sh")},
        {"%QM_SHELL_NO_SUCH_VARIABLE%/tool.sh", "", PathNotFound, "", ""},
        {"sh", "", Accepted, "start", QStandardPaths::findExecutable("sh")},
        {path("tool.sh"), path("nofolder"), PathNotFound, "", ""},
        {path("page.htm"), dir.path(), Accepted, "open", url("page.htm")},
        {path("absent"), "", FileNotFound, "", ""},
        {"no-such-program-anywhere", "", FileNotFound, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        fake.calls.clear();
        const ShellExecuteInfo info = extended(c.file, QString(), c.directory);
        EXPECT_EQ(info.instApp, c.code);
        if (c.action.isEmpty()) {
            EXPECT_TRUE(fake.calls.empty());
        } else {
            ASSERT_EQ(fake.calls.size(), 1u);
            EXPECT_EQ(fake.calls[0].action, c.action);
            EXPECT_EQ(fake.calls[0].target, c.target);
        }
        // Only a started program has a process.
        EXPECT_EQ(info.process != 0, c.action == "start");
    }
    qunsetenv("QM_SHELL_TEST_DIR");
}

TEST_F(DesktopShellTest, ARefusingDesktopGivesNoAssociationOrAccessDenied)
{
    fake.accept = false;
    EXPECT_EQ(simple("", "https://example.org/"), NoAssociation);
    EXPECT_EQ(simple("print", path("page.htm")), NoAssociation);
    // A program that cannot start falls back to the opener only without parameters.
    EXPECT_EQ(extended(path("tool.sh"), "-x").instApp, AccessDenied);
    fake.calls.clear();
    extended(path("tool.sh"));
    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[1].action, "open");
}

// The real launcher: a started process is seen running until it ends, and an
// ended one is never mistaken for running.
TEST(DesktopLauncherTest, SeesItsOwnProcessRunUntilItEnds)
{
    DesktopLauncher& real = desktopLauncher();
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    ASSERT_FALSE(sleep.isEmpty());
    qint64 pid = 0;
    ASSERT_TRUE(real.startProgram(sleep, {QStringLiteral("30")}, QString(), &pid));
    ASSERT_GT(pid, 0);
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

} // namespace
