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
        for (const QString name : {"page.htm", "tool.sh"}) {
            QFile f(path(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\nexit 0\n");
        }
        QFile::setPermissions(path("tool.sh"), QFile::permissions(path("tool.sh")) | QFileDevice::ExeOwner);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString url(const QString& name) const { return QUrl::fromLocalFile(path(name)).toString(); }
    // The extended launch as the program's launcher fills it in.
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

TEST_F(DesktopShellTest, LaunchesGoToTheOpenerPrinterOrProgramOrAreRefusedWithACode)
{
    qputenv("QM_SHELL_TEST_DIR", dir.path().toLocal8Bit());
    struct Case {
        bool extended;
        QString verb, file, parameters, directory;
        long code;
        QString call; // empty: the desktop is not asked
    };
    const Case cases[] = {
        {false, "", "https://example.org/a?b=1", "", "", Accepted, "open https://example.org/a?b=1"},
        {false, "", path("page.htm"), "", "", Accepted, "open " + url("page.htm")},
        {false, "", url("page.htm"), "", "", Accepted, "open " + url("page.htm")},
        {false, "explore", path("sub"), "", "", Accepted, "open " + url("sub")},
        {false, "print", path("page.htm"), "", "", Accepted, "print " + path("page.htm")},
        {false, "", path("absent.htm"), "", "", FileNotFound, ""},
        {false, "", path("nofolder/page.htm"), "", "", PathNotFound, ""},
        {false, "", "", "", "", FileNotFound, ""},
        {false, "explore", path("page.htm"), "", "", NoAssociation, ""},
        {false, "print", path("sub"), "", "", NoAssociation, ""},
        {false, "print", "https://example.org/", "", "", NoAssociation, ""},
        {false, "edit", path("page.htm"), "", "", NoAssociation, ""},
        // A simple launch never runs a program itself, executable or not.
        {false, "", path("tool.sh"), "", "", Accepted, "open " + url("tool.sh")},
        // Parameters are split as a command line would be, never by a shell.
        {true, "Open", path("tool.sh"), "-v \"two words\" 'x y' z", path("sub"), Accepted,
         "start " + path("tool.sh") + " [-v|two words|'x|y'|z] in " + path("sub")},
        // Relative names are found in the start-in folder, then on the search path.
        {true, "Open", "tool.sh", "", dir.path(), Accepted, "start " + path("tool.sh") + " [] in " + dir.path()},
        {true, "Open", "sh", "", "", Accepted, "start " + QStandardPaths::findExecutable("sh") + " [] in "},
        {true, "Open", "%QM_SHELL_TEST_DIR%/tool.sh", "", "", Accepted, "start " + path("tool.sh") + " [] in "},
        {true, "Open", "%QM_SHELL_NO_SUCH_VARIABLE%/tool.sh", "", "", PathNotFound, ""},
        {true, "Open", path("tool.sh"), "", path("nofolder"), PathNotFound, ""},
        {true, "Open", path("page.htm"), "", dir.path(), Accepted, "open " + url("page.htm")},
        {true, "Open", "no-such-program-anywhere", "", "", FileNotFound, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.verb + " " + c.file).toStdString());
        fake.calls.clear();
        if (c.extended) {
            const ShellExecuteInfo info = extended(c.file, c.parameters, c.directory);
            EXPECT_EQ(info.instApp, c.code);
            EXPECT_EQ(info.process != 0, c.call.startsWith("start")); // only a started program has one
        } else {
            EXPECT_EQ(desktopShell().execute(0, c.verb, c.file, "", "", swShowNormal), c.code);
        }
        EXPECT_EQ(fake.seen(), c.call.isEmpty() ? QStringList() : QStringList(c.call));
    }
    qunsetenv("QM_SHELL_TEST_DIR");
}

TEST_F(DesktopShellTest, AStartedProcessRunsUntilItEndsAndIsKeptOnlyWhenAskedFor)
{
    long code = 0;
    const qint64 pid = extended(path("tool.sh")).process;
    ASSERT_TRUE(desktopShell().exitCodeOfProcess(pid, &code));
    EXPECT_EQ(code, StillActive);
    fake.running.remove(pid);
    ASSERT_TRUE(desktopShell().exitCodeOfProcess(pid, &code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(desktopShell().exitCodeOfProcess(0, &code));

    ShellExecuteInfo plain;
    plain.file = path("tool.sh");
    EXPECT_TRUE(desktopShell().executeEx(plain));
    EXPECT_EQ(plain.process, 0);
}

TEST_F(DesktopShellTest, ARefusingDesktopGivesNoAssociationOrAccessDenied)
{
    fake.accept = false;
    EXPECT_EQ(desktopShell().execute(0, "", "https://example.org/", "", "", swShowNormal), NoAssociation);
    EXPECT_EQ(desktopShell().execute(0, "print", path("page.htm"), "", "", swShowNormal), NoAssociation);
    // A program that cannot start falls back to the opener only without parameters.
    EXPECT_EQ(extended(path("tool.sh"), "-x").instApp, AccessDenied);
    fake.calls.clear();
    EXPECT_EQ(extended(path("tool.sh")).instApp, NoAssociation);
    EXPECT_EQ(fake.seen().value(1), "open " + url("tool.sh"));
}

// The real launcher: a started process is seen running until it ends, and an
// ended one is never mistaken for running.
TEST(DesktopLauncherTest, SeesItsOwnProcessRunUntilItEnds)
{
    DesktopLauncher& real = desktopLauncher();
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

} // namespace
