#include "platform/runtimeerror.h"
#include "shell/cshellexecute.h"
#include "testsupport.h"

#include <QFile>
#include <QSet>

#include <functional>
#include <new>

using namespace platform;

namespace {

// A shell that records each request and answers with a set result.
class RecordingShell : public Shell {
public:
    struct Request {
        bool extended;
        long hwnd;
        QString verb, file, parameters, directory;
        int show;
        unsigned long mask;
    };

    long execute(long hwnd, const QString& verb, const QString& file, const QString& parameters,
                 const QString& directory, int show) override
    {
        if (fault)
            fault();
        requests.push_back({false, hwnd, verb, file, parameters, directory, show, 0});
        return result;
    }
    bool executeEx(ShellExecuteInfo& info) override
    {
        if (fault)
            fault();
        requests.push_back(
            {true, info.hwnd, info.verb, info.file, info.parameters, info.directory, info.show, info.mask});
        info.instApp = result;
        info.process = process;
        return result > 32;
    }
    bool exitCodeOfProcess(qint64 p, long* exitCode) override
    {
        if (p <= 0)
            return false;
        *exitCode = running.contains(p) ? StillActive : 0;
        return true;
    }

    std::vector<Request> requests;
    long result = shellcode::Accepted;
    qint64 process = 0;
    QSet<qint64> running;
    std::function<void()> fault;
};

using Op = std::function<long(CShellExecute&)>;

struct OpCase {
    const char* name;
    Op op;
    bool extended;
    QString verb, file, parameters, directory;
    int show;
};

const std::vector<OpCase>& opCases()
{
    static const std::vector<OpCase> cases = {
        {"Explore", [](CShellExecute& s) { return s.Explore(7, "/srv/data"); }, false, "explore", "/srv/data", "", "",
         10},
        {"LaunchDocument", [](CShellExecute& s) { return s.LaunchDocument(7, "notes.txt", "/home/u", 3); }, true,
         "Open", "notes.txt", "", "/home/u", 3},
        // "mailto:" and the address, with no separator and no verb.
        {"LaunchEmail", [](CShellExecute& s) { return s.LaunchEmail(7, " ann@example.org"); }, false, "",
         "mailto: ann@example.org", "", "", 10},
        {"LaunchFolder", [](CShellExecute& s) { return s.LaunchFolder(7, "/tmp", 1); }, false, "open", "/tmp", "", "",
         1},
        {"LaunchProgram", [](CShellExecute& s) { return s.LaunchProgram(7, "editor", "-n \"a b\"", "/w"); }, true,
         "Open", "editor", "-n \"a b\"", "/w", 10},
        {"LaunchURL", [](CShellExecute& s) { return s.LaunchURL(7, "https://example.org/", 1); }, false, "",
         "https://example.org/", "", "", 1},
        {"PrintDocument", [](CShellExecute& s) { return s.PrintDocument(7, "/tmp/report.txt"); }, false, "print",
         "/tmp/report.txt", "", "", 0},
    };
    return cases;
}

class CShellExecuteTest : public FrameworkTest {
protected:
    RecordingShell shell;
    CShellExecute launcher{shell};
};

TEST_F(CShellExecuteTest, EachOperationHandsTheShellItsVerbFileParametersAndFolder)
{
    for (const OpCase& c : opCases()) {
        SCOPED_TRACE(c.name);
        shell.requests.clear();
        EXPECT_EQ(c.op(launcher), -1);
        ASSERT_EQ(shell.requests.size(), 1u);
        const auto& r = shell.requests[0];
        EXPECT_EQ(r.extended, c.extended);
        EXPECT_EQ(r.hwnd, 7);
        EXPECT_EQ(r.verb, c.verb);
        EXPECT_EQ(r.file, c.file);
        EXPECT_EQ(r.parameters, c.parameters);
        EXPECT_EQ(r.directory, c.directory);
        EXPECT_EQ(r.show, c.show);
        // The extended launch keeps the process and expands variables in the name.
        EXPECT_EQ(r.mask, c.extended ? 0x240ul : 0ul);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CShellExecuteTest, ShellResultsAbove32MeanAcceptedOthersAreReturnedAsTheyCame)
{
    const std::pair<long, long> table[] = {{42, -1}, {33, -1}, {100000, -1}, {32, 32}, {31, 31},
                                           {5, 5},   {3, 3},   {2, 2},       {0, 0}};
    for (const auto& [shellResult, expected] : table) {
        shell.result = shellResult;
        for (const OpCase& c : opCases()) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.name).arg(shellResult).toStdString());
            EXPECT_EQ(c.op(launcher), expected);
        }
    }
    EXPECT_TRUE(messages.shown.empty()); // a refusal is not an error
}

// Only document and program launches keep the instance and a process; any
// other launch forgets a program still running.
TEST_F(CShellExecuteTest, ARunningProgramIsKeptUntilItEndsOrAnotherLaunch)
{
    EXPECT_FALSE(launcher.StillExecuting()); // nothing launched yet
    shell.running = {501, 88};
    for (const OpCase& c : opCases()) {
        SCOPED_TRACE(c.name);
        shell.process = 501;
        launcher.LaunchProgram(0, "editor");
        ASSERT_TRUE(launcher.StillExecuting());
        shell.process = 88;
        c.op(launcher);
        EXPECT_EQ(launcher.InstApp(), c.extended ? shellcode::Accepted : 0);
        EXPECT_EQ(launcher.Process(), c.extended ? 88 : 0);
        EXPECT_EQ(launcher.StillExecuting(), c.extended);
    }
    launcher.LaunchProgram(0, "editor");
    shell.running.remove(88);
    EXPECT_FALSE(launcher.StillExecuting()); // the program ended
    // A document handed to a program already running gives no process.
    shell.process = 0;
    launcher.LaunchDocument(0, "a.txt", "");
    EXPECT_FALSE(launcher.StillExecuting());
    // A refused program launch keeps the refusal code and no process.
    shell.result = shellcode::FileNotFound;
    EXPECT_EQ(launcher.LaunchProgram(0, "missing"), 2);
    EXPECT_EQ(launcher.InstApp(), 2);
    EXPECT_EQ(launcher.Process(), 0);
}

TEST_F(CShellExecuteTest, RunTimeErrorIsShownUnderTheOperationNameAndGivesZero)
{
    const std::pair<std::function<void()>, QString> faults[] = {
        {[] { Raise(errnum::InvalidProcedureCall); }, "Error: 5. Invalid procedure call or argument"},
        {[] { throw std::bad_alloc(); }, "Error: 7. Out of memory"},
    };
    for (const auto& [raise, text] : faults) {
        for (const OpCase& c : opCases()) {
            SCOPED_TRACE(c.name);
            shell.process = 9;
            shell.fault = nullptr;
            launcher.LaunchProgram(0, "editor");
            shell.fault = raise;
            messages.shown.clear();
            EXPECT_EQ(c.op(launcher), 0);
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, text.toStdString());
            EXPECT_EQ(messages.shown[0].title, c.name);
            EXPECT_EQ(messages.shown[0].style, vbOKOnly);
            EXPECT_EQ(launcher.InstApp(), 0);
            EXPECT_EQ(launcher.Process(), 0);
        }
    }
    // The launcher's own trap: nothing reaches the error handler.
    EXPECT_FALSE(QFile::exists(path("error.log")));
}

} // namespace
