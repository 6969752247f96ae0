#include "platform/runtimeerror.h"
#include "shell/cshellexecute.h"
#include "shellfakes.h"
#include "testsupport.h"

#include <QDir>
#include <QStandardPaths>

#include <functional>
#include <map>
#include <new>

using namespace platform;

namespace {

struct Case {
    QString op, file, parameters, directory;
    long result;
    QString call; // what the desktop was asked, "" for nothing
};

// The launcher over this desktop's shell, with a stand-in for the desktop.
class CShellExecuteTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        writeFile("page.htm");
        writeFile("tool.sh", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(path("tool.sh"), QFile::permissions(path("tool.sh")) | QFileDevice::ExeOwner);
    }
    QString url(const QString& name) const { return QUrl::fromLocalFile(path(name)).toString(); }
    long run(const Case& c)
    {
        const std::map<QString, std::function<long()>> operations = {
            {"Explore", [&] { return shell.Explore(0, c.file); }},
            {"LaunchDocument", [&] { return shell.LaunchDocument(0, c.file, c.directory); }},
            {"LaunchEmail", [&] { return shell.LaunchEmail(0, c.file); }},
            {"LaunchFolder", [&] { return shell.LaunchFolder(0, c.file); }},
            {"LaunchProgram", [&] { return shell.LaunchProgram(0, c.file, c.parameters, c.directory); }},
            {"LaunchURL", [&] { return shell.LaunchURL(0, c.file, swShowNormal); }},
            {"PrintDocument", [&] { return shell.PrintDocument(0, c.file); }}};
        return operations.at(c.op)();
    }
    std::vector<Case> cases() const
    {
        const QString tool = path("tool.sh"), page = path("page.htm");
        return {
            {"LaunchURL", "https://example.org/a?b=1", "", "", -1, "open https://example.org/a?b=1"},
            {"LaunchURL", page, "", "", -1, "open " + url("page.htm")},
            {"LaunchURL", url("page.htm"), "", "", -1, "open " + url("page.htm")},
            {"LaunchURL", path("absent.htm"), "", "", shellcode::FileNotFound, ""},
            {"LaunchURL", path("nofolder/page.htm"), "", "", shellcode::PathNotFound, ""},
            {"LaunchURL", "", "", "", shellcode::FileNotFound, ""},
            // Only the program launches run a program; the others hand it to the desktop.
            {"LaunchURL", tool, "", "", -1, "open " + url("tool.sh")},
            // "mailto:" and the address, with no separator.
            {"LaunchEmail", " ann@example.org", "", "", -1, "open mailto: ann@example.org"},
            {"LaunchFolder", path("sub"), "", "", -1, "open " + url("sub")},
            {"Explore", path("sub"), "", "", -1, "open " + url("sub")},
            {"Explore", page, "", "", shellcode::NoAssociation, ""},
            {"PrintDocument", page, "", "", -1, "print " + page},
            {"PrintDocument", path("sub"), "", "", shellcode::NoAssociation, ""},
            {"PrintDocument", "https://example.org/", "", "", shellcode::NoAssociation, ""},
            // Parameters are split as a command line would be, never by a shell.
            {"LaunchProgram", tool, "-v \"two words\" 'x y' z", path("sub"), -1,
             "start " + tool + " [-v|two words|'x|y'|z] in " + path("sub")},
            // Relative names are found in the start-in folder, then on the search path.
            {"LaunchDocument", "tool.sh", "", dir.path(), -1, "start " + tool + " [] in " + dir.path()},
            {"LaunchProgram", "sh", "", "", -1, "start " + QStandardPaths::findExecutable("sh") + " [] in "},
            // Variables are expanded; the framework's state folder lies in the test's folder.
            {"LaunchProgram", "%XDG_STATE_HOME%/../tool.sh", "", "", -1, "start " + tool + " [] in "},
            {"LaunchProgram", "%QM_SHELL_NO_SUCH_VARIABLE%/tool.sh", "", "", shellcode::PathNotFound, ""},
            {"LaunchProgram", tool, "", path("nofolder"), shellcode::PathNotFound, ""},
            {"LaunchProgram", "no-such-program-anywhere", "", "", shellcode::FileNotFound, ""},
            {"LaunchDocument", page, "", dir.path(), -1, "open " + url("page.htm")},
        };
    }

    FakeLauncher launcher;
    CShellExecute shell;
};

// Only document and program launches keep the instance and the process of a
// started program; any other launch forgets a program still running. An error
// on the way is the launcher's own: shown under the operation's name, giving 0.
TEST_F(CShellExecuteTest, EachOperationReachesTheDesktopOrIsRefusedWithACodeAndKeepsOnlyAProgramsProcess)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE((c.op + " " + c.file).toStdString());
        ASSERT_EQ(shell.LaunchProgram(0, path("tool.sh")), -1);
        ASSERT_TRUE(shell.StillExecuting());
        launcher.calls.clear();
        EXPECT_EQ(run(c), c.result);
        EXPECT_EQ(launcher.seen(), c.call.isEmpty() ? QStringList() : QStringList(c.call));
        const bool extended = c.op == "LaunchProgram" || c.op == "LaunchDocument";
        EXPECT_EQ(shell.InstApp(), extended ? (c.result < 0 ? shellcode::Accepted : c.result) : 0);
        EXPECT_EQ(shell.StillExecuting(), c.call.startsWith("start"));
        if (c.call.isEmpty())
            continue;
        const bool raised = c.call.startsWith("start"); // else out of memory
        launcher.fault = [raised] { raised ? Raise(errnum::InvalidProcedureCall) : throw std::bad_alloc(); };
        EXPECT_EQ(run(c), 0);
        launcher.fault = nullptr;
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  raised ? "Error: 5. Invalid procedure call or argument" : "Error: 7. Out of memory");
        EXPECT_EQ(messages.shown[0].style, vbOKOnly);
        EXPECT_EQ(messages.shown[0].title, c.op);
        messages.shown.clear();
    }
    launcher.running.clear();
    EXPECT_FALSE(shell.StillExecuting());           // the program ended
    EXPECT_TRUE(messages.shown.empty());            // a refusal is not an error
    EXPECT_FALSE(QFile::exists(path("error.log"))); // nor is the launcher's own error the handler's
}

TEST_F(CShellExecuteTest, ARefusingDesktopGivesNoAssociationOrAccessDenied)
{
    launcher.accept = false;
    EXPECT_EQ(shell.LaunchURL(0, "https://example.org/"), shellcode::NoAssociation);
    EXPECT_EQ(shell.PrintDocument(0, path("page.htm")), shellcode::NoAssociation);
    // A program that cannot start falls back to the opener only without parameters.
    EXPECT_EQ(shell.LaunchProgram(0, path("tool.sh"), "-x"), shellcode::AccessDenied);
    launcher.calls.clear();
    EXPECT_EQ(shell.LaunchProgram(0, path("tool.sh")), shellcode::NoAssociation);
    EXPECT_EQ(launcher.seen().value(1), "open " + url("tool.sh"));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
