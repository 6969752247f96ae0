#include "platform/runtimeerror.h"
#include "shell/cshellexecute.h"
#include "testsupport.h"

#include <QFile>
#include <QSet>

#include <functional>
#include <new>

using namespace platform;

namespace {

// A shell that records each request as one line and answers with a set result.
class RecordingShell : public Shell {
public:
    long execute(long hwnd, const QString& verb, const QString& file, const QString& parameters,
                 const QString& directory, int show) override
    {
        record(
            QStringLiteral("simple %1 %2|%3|%4|%5 show %6").arg(hwnd).arg(verb, file, parameters, directory).arg(show));
        return result;
    }
    bool executeEx(ShellExecuteInfo& info) override
    {
        record(QStringLiteral("ex %1 %2|%3|%4|%5 show %6 mask %7")
                   .arg(info.hwnd)
                   .arg(info.verb, info.file, info.parameters, info.directory)
                   .arg(info.show)
                   .arg(info.mask, 0, 16));
        info.instApp = result;
        info.process = process;
        return result > 32;
    }
    bool exitCodeOfProcess(qint64 p, long* exitCode) override
    {
        *exitCode = running.contains(p) ? StillActive : 0;
        return p > 0;
    }
    void record(const QString& request)
    {
        if (fault)
            fault();
        requests << request;
    }

    QStringList requests;
    long result = shellcode::Accepted;
    qint64 process = 0;
    QSet<qint64> running;
    std::function<void()> fault;
};

struct OpCase {
    const char* name;
    std::function<long(CShellExecute&)> op;
    QString request;
    bool extended() const { return request.startsWith("ex"); }
};

const std::vector<OpCase>& opCases()
{
    static const std::vector<OpCase> cases = {
        {"Explore", [](CShellExecute& s) { return s.Explore(7, "/srv/data"); }, "simple 7 explore|/srv/data|| show 10"},
        // The extended launch keeps the process and expands variables in the name.
        {"LaunchDocument", [](CShellExecute& s) { return s.LaunchDocument(7, "notes.txt", "/home/u", 3); },
         "ex 7 Open|notes.txt||/home/u show 3 mask 240"},
        // "mailto:" and the address, with no separator and no verb.
        {"LaunchEmail", [](CShellExecute& s) { return s.LaunchEmail(7, " ann@example.org"); },
         "simple 7 |mailto: ann@example.org|| show 10"},
        {"LaunchFolder", [](CShellExecute& s) { return s.LaunchFolder(7, "/tmp", 1); }, "simple 7 open|/tmp|| show 1"},
        {"LaunchProgram", [](CShellExecute& s) { return s.LaunchProgram(7, "editor", "-n \"a b\"", "/w"); },
         "ex 7 Open|editor|-n \"a b\"|/w show 10 mask 240"},
        {"LaunchURL", [](CShellExecute& s) { return s.LaunchURL(7, "https://example.org/", 1); },
         "simple 7 |https://example.org/|| show 1"},
        {"PrintDocument", [](CShellExecute& s) { return s.PrintDocument(7, "/tmp/report.txt"); },
         "simple 7 print|/tmp/report.txt|| show 0"},
    };
    return cases;
}

class CShellExecuteTest : public FrameworkTest {
protected:
    RecordingShell shell;
    CShellExecute launcher{shell};
};

TEST_F(CShellExecuteTest, EachOperationHandsTheShellItsRequestAndReadsResultsAbove32AsAccepted)
{
    const std::pair<long, long> results[] = {{42, -1}, {33, -1}, {32, 32}, {2, 2}, {0, 0}};
    for (const auto& [shellResult, expected] : results) {
        shell.result = shellResult;
        for (const OpCase& c : opCases()) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.name).arg(shellResult).toStdString());
            shell.requests.clear();
            EXPECT_EQ(c.op(launcher), expected);
            EXPECT_EQ(shell.requests, QStringList(c.request));
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
        EXPECT_EQ(launcher.InstApp(), c.extended() ? shellcode::Accepted : 0);
        EXPECT_EQ(launcher.Process(), c.extended() ? 88 : 0);
        EXPECT_EQ(launcher.StillExecuting(), c.extended());
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
    EXPECT_FALSE(launcher.StillExecuting());
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
            EXPECT_EQ(messages.shown[0].text, text);
            EXPECT_EQ(messages.shown[0].title, QString::fromLatin1(c.name));
            EXPECT_EQ(messages.shown[0].style, vbOKOnly);
            EXPECT_EQ(launcher.Process(), 0);
        }
    }
    // The launcher's own trap: nothing reaches the error handler.
    EXPECT_FALSE(QFile::exists(path("error.log")));
}

} // namespace
