#include "errors/apphooks.h"
#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "util/fakeform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <stdexcept>

using platform::RuntimeError;

namespace {

using Lines = std::vector<std::string>;

Lines split(const std::string& s)
{
    Lines out;
    size_t from = 0;
    for (size_t at; (at = s.find("\r\n", from)) != std::string::npos; from = at + 2)
        out.push_back(s.substr(from, at - from));
    out.push_back(s.substr(from));
    return out;
}

bool contains(const std::string& s, const std::string& part)
{
    return s.find(part) != std::string::npos;
}

class ErrorReportTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        // The start-up configuration.
        handler->DisplayMsgOnError(false);
        handler->IncludeExpandedInfo(true);
        handler->MaxProcStackItems(50);
    }

    static void fail(const RuntimeError& error) { throw error; }
    // frmMain.Form_Load() calls frmMain.UpdateForm(), which fails.
    static void failTwoDeep()
    {
        errors::Procedure("frmMain.Form_Load()", [] {
            errors::Procedure("frmMain.UpdateForm()",
                              [] { fail(RuntimeError(platform::errnum::SubscriptOutOfRange)); });
        });
    }

    std::string read(const QString& name) const
    {
        QFile f(QDir(dir.path()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
    }
    std::string log() const { return read(QStringLiteral("error.log")); }
};

TEST_F(ErrorReportTest, ReportLayoutAndTheUnexpectedErrorBoxWhoseYesGoesOn)
{
    FakeForm main(QStringLiteral("frmMain"));
    FakeForm help(QStringLiteral("frmClassHelp"));
    main.caption = QStringLiteral("Quillmark 1.0");
    help.caption = QStringLiteral("Address Classes");
    handler->CurrentOperation("Loading");
    const int result = errors::Function<int>("frmMain.Form_Load()", [](int& r) {
        r = errors::Function<int>("frmMain.UpdateForm()", [](int& inner) {
            inner = 7;
            fail(RuntimeError(platform::errnum::SubscriptOutOfRange));
            inner = 8;
        });
    });

    Lines lines = split(log());
    ASSERT_GT(lines.size(), 2u);
    static const QRegularExpression timeShape(
        QStringLiteral("^Current Time   : \\S.* \\d{1,2}:\\d{2}:\\d{2}\\S*( \\S+)?$"));
    EXPECT_TRUE(timeShape.match(QString::fromStdString(lines[2])).hasMatch()) << lines[2];
    lines[2] = "<time>";
    const Lines expected{"Quillmark Application Error Information",
                         std::string(36, '='),
                         "<time>",
                         "Error String   : Subscript out of range",
                         "Error Number   : 9",
                         "Error Line     : 0",
                         "Error Procedure: frmMain.UpdateForm()",
                         "",
                         "Procedure Stack",
                         std::string(15, '-'),
                         "01  frmMain.Form_Load()",
                         "02    frmMain.UpdateForm()",
                         "",
                         "Current Operation: Loading",
                         "",
                         "Open Windows",
                         std::string(12, '-'),
                         "frmMain (Quillmark 1.0)",
                         "frmClassHelp (Address Classes)",
                         "",
                         "",
                         "Additional Information",
                         std::string(22, '-'),
                         "Current Directory: " + QDir::currentPath().toStdString()};
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + long(std::min(lines.size(), expected.size()))), expected);
    EXPECT_TRUE(contains(log(), "\r\nApp Path: " + dir.path().toStdString() + "\r\n"));

    // The start-up settings show the box only, and Yes goes on with the stack
    // unwound, past the error with the result assigned so far.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "There has been an unexpected error. This may cause loss of data and/or program instability\r\n\r\n"
              "Please report these details to the support line:\r\n9: Subscript out of range\r\n"
              "frmMain.UpdateForm()\r\nOperation: Loading\r\n\r\nDo you wish to continue? (Note: If you select No, "
              "the program will terminate, and you will lose any data you may have changed)");
    EXPECT_EQ(messages.shown[0].style, platform::vbYesNo | platform::vbExclamation);
    EXPECT_EQ(messages.shown[0].title, "Unexpected Error");
    EXPECT_EQ(messages.beeps, 0);
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(platform::Err().Number, 0); // cleared for the caller
}

// Fails while showing the "Unexpected Error" dialog.
class ThrowingSink : public platform::ScriptedMessages {
public:
    int show(const std::string& text, int style, const std::string& title) override
    {
        const int answer = ScriptedMessages::show(text, style, title);
        if (title == "Unexpected Error")
            throw RuntimeError(platform::errnum::OutOfMemory);
        return answer;
    }
};

TEST_F(ErrorReportTest, AnErrorInTheDialogIsSeriousAndEndsTheProgram)
{
    ThrowingSink sink;
    try {
        failTwoDeep();
        ADD_FAILURE() << "went on";
    } catch (const platform::ProcessEnded& e) {
        EXPECT_EQ(e.exitCode, 1);
    }
    // Each procedure was left on the way out: the stack holds no view of a
    // name whose procedure has gone.
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_EQ(handler->StackListing(), "");
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, "There has been a serious internal error. The program will now exit.");
    EXPECT_EQ(sink.shown[1].title, "Serious Error");
}

// With reports off the report is still written, but nothing is shown. A long
// description is cut in the report only.
TEST_F(ErrorReportTest, AnyExceptionBecomesARunTimeError)
{
    handler->DisplayMsgOnError(true);
    handler->ReportErrors(false);
    const std::string longText = std::string(250, 'x') + "ABCDEFGHIJ";
    const std::tuple<std::function<void()>, long, std::string> rows[] = {
        {[] { fail(RuntimeError(platform::errnum::PathNotFound)); }, 76, "Path not found"},
        {[] { throw std::runtime_error("disk on fire"); }, 51, "Internal error: disk on fire"},
        {[] { throw std::bad_alloc(); }, 7, "Out of memory"},
        {[] { throw 42; }, 51, "Internal error"},
        {[&] { fail(RuntimeError(1004, longText)); }, 1004, longText},
    };
    for (const auto& [raise, number, description] : rows) {
        errors::Procedure("Probe()", raise);
        EXPECT_EQ(handler->ErrNumber(), number);
        EXPECT_EQ(handler->ErrDescription(), description);
        EXPECT_TRUE(contains(log(), "Error String   : " + description.substr(0, 255) +
                                        "\r\nError Number   : " + std::to_string(number) + "\r\n"));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(handler->StackDepth(), 0);
}

// Where the report lands, whatever was planted in its way. Anything found at
// the destination that is not the user's own regular file stays as it was,
// and clearing removes the user's own reports only.
TEST_F(ErrorReportTest, TheReportAlwaysLandsAndNeverThroughAStrangersFile)
{
    enum Landing { AtDestination, InStateFolder, OnStderr };
    const QString state = path(QStringLiteral("state/quillmark/"));
    const struct RestoreTmp {
        QByteArray old = qgetenv("TMPDIR");
        ~RestoreTmp() { old.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", old); }
    } restoreTmp; // also when a check below gives up
    qputenv("TMPDIR", path(QStringLiteral("tmp")).toLocal8Bit());
    for (const char* folder : {"tmp", "tmp/ERRORS.TXT", "linked", "foreign"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1String(folder)));
    writeFile(QStringLiteral("error.log"), "old report");
    writeFile(QStringLiteral("plainfile"));
    writeFile(QStringLiteral("victim"), "keep");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("victim")), path(QStringLiteral("linked/error.log"))));
    writeFile(QStringLiteral("foreign/error.log"), "keep");
    // Only root can give a file away.
    const bool chowned =
        ::chown(QFile::encodeName(path(QStringLiteral("foreign/error.log"))).constData(), 65534, 65534) == 0;
    const struct {
        const char* what;
        const char* destination; // in the test's folder, or the handler's default
        Landing landing;
        const char* name; // of the file landed
    } rows[] = {
        {"own older report", "error.log", AtDestination, "error.log"},
        {"missing folder", "missing/error.log", InStateFolder, "error.log"},
        {"planted link", "linked/error.log", InStateFolder, "error.log"},
        {"another user's file", "foreign/error.log", InStateFolder, "error.log"},
        {"nowhere writable", "plainfile/error.log", OnStderr, ""},
        {"default, a folder in the temp folder", "C:\\ERRORS.TXT", InStateFolder, "ERRORS.TXT"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        if (QLatin1String(r.destination).startsWith(QLatin1String("foreign")) && !chowned)
            continue;
        QDir(path(QStringLiteral("state"))).removeRecursively();
        const char* stateHome = r.landing == OnStderr ? "plainfile/state" : "state";
        qputenv("XDG_STATE_HOME", path(QLatin1String(stateHome)).toLocal8Bit());
        const std::string destination =
            r.destination[1] == ':' ? std::string(r.destination) : path(QLatin1String(r.destination)).toStdString();
        handler->Destination(destination);
        messages.shown.clear();
        testing::internal::CaptureStderr();
        failTwoDeep();
        const std::string err = testing::internal::GetCapturedStderr();

        const QString landed = r.landing == AtDestination   ? QString::fromStdString(destination)
                               : r.landing == InStateFolder ? state + QLatin1String(r.name)
                                                            : QString();
        ASSERT_EQ(messages.shown.size(), 1u);
        const std::string savedTo = "\r\n\r\nThe error report was saved to: " + landed.toStdString();
        EXPECT_EQ(contains(messages.shown[0].text, savedTo), r.landing == InStateFolder) << messages.shown[0].text;
        EXPECT_EQ(handler->ReportPath(), landed.toStdString());
        EXPECT_EQ(contains(err, "Error Procedure: frmMain.UpdateForm()"), r.landing == OnStderr) << err;
        if (r.landing == OnStderr)
            continue;
        EXPECT_EQ(read(landed).rfind("Quillmark Application Error Information\r\n", 0), 0u) << read(landed);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(landed).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }
    EXPECT_TRUE(handler->ClearLog());
    EXPECT_FALSE(QFileInfo::exists(state + QStringLiteral("ERRORS.TXT")));
    if (chowned) {
        handler->Destination(path(QStringLiteral("foreign/error.log")).toStdString());
        EXPECT_TRUE(handler->ClearLog());
    }
    for (const char* kept : {"victim", "foreign/error.log"})
        EXPECT_EQ(read(QLatin1String(kept)), "keep") << kept;
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("linked/error.log"))).isSymLink());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("tmp/ERRORS.TXT"))).isDir());
}

TEST_F(ErrorReportTest, DefaultDestinationMapsToTheTempFolderWhereThereAreNoDrives)
{
    const std::string tmp = QDir::tempPath().toStdString();
    const std::pair<const char*, std::string> rows[] = {
        {"C:\\ERRORS.TXT", tmp + "/ERRORS.TXT"},
        {"d:/logs/app.txt", tmp + "/app.txt"},
        {"logs\\app.txt", "logs/app.txt"},
        {"/var/tmp/app.log", "/var/tmp/app.log"},
    };
    for (const auto& [destination, file] : rows)
        EXPECT_EQ(clsErrHandler::resolveDestinationPath(destination), file) << destination;
}

// Without an application there is nobody to ask: the terminal is told and the run ends.
TEST_F(ErrorReportTest, ATerminalRunReportsOnStderrAndEnds)
{
    errors::AppHooks* previous = errors::setAppHooks(nullptr);
    std::optional<int> exitCode;
    testing::internal::CaptureStderr();
    try {
        failTwoDeep();
    } catch (const platform::ProcessEnded& e) {
        exitCode = e.exitCode;
    }
    const std::string err = testing::internal::GetCapturedStderr();
    errors::setAppHooks(previous);
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(err, "quillmark: unexpected error 9: Subscript out of range in frmMain.UpdateForm()\n"
                   "quillmark: the error report was saved to: " +
                       path(QStringLiteral("error.log")).toStdString() + "\n");
}

class ProcStackTest : public ErrorReportTest {};

TEST_F(ProcStackTest, PushPastTheLimitNeverFailsAndPopsStillMatchUpToTheSixteenBitLimit)
{
    handler->MaxProcStackItems(3);
    std::vector<std::string> names; // the stack keeps views of them
    for (int i = 1; i <= 10; ++i)
        names.push_back("P" + std::to_string(i));
    for (const std::string& name : names)
        handler->Push(name);
    // An error this deep names the procedure that failed, in the first spare slot.
    handler->ReportErrors(false);
    platform::Err().set(platform::RuntimeError(platform::errnum::Overflow));
    handler->HandleError();
    EXPECT_EQ(handler->ErrProc(), "P10");
    EXPECT_EQ(handler->StackListing(), "01  P1\r\n02    P2\r\n03      P3\r\n04        P10\r\n");

    for (int i = 10; i >= 1; --i) { // and each pop uncovers the one below
        EXPECT_EQ(handler->CurrentStack()[size_t(std::min(i, 4))], "P" + std::to_string(i));
        handler->Pop();
    }
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_EQ(handler->StackListing(), ""); // no name left behind

    // Size and depth stop where a 16-bit counter would, leaving the stack usable.
    EXPECT_THROW(handler->MaxProcStackItems(32766), platform::RuntimeError);
    EXPECT_EQ(handler->CurrentStack().size(), 6u);
    for (int i = 0; i < 32767; ++i)
        handler->Push("P");
    try {
        handler->Push("Q");
        ADD_FAILURE() << "no overflow";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::errnum::Overflow);
    }
    EXPECT_EQ(handler->StackDepth(), 32767);
    for (int i = 0; i < 32767; ++i)
        handler->Pop();
    EXPECT_EQ(handler->StackDepth(), 0);
}

// Switching tracing on empties the trace file, each push then adds a line
// until it is switched off. Whatever stands in the way is reported once and
// the program goes on; nothing outside its own trace file is touched.
TEST_F(ProcStackTest, TraceHoldsOneLinePerPushOrIsShownOnceWhenItCannotStart)
{
    for (const char* name : {"fresh", "old", "link", "foreign", "pipe"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1String(name)));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder/trace.log")));
    writeFile(QStringLiteral("old/trace.log"), "old run\r\n");
    writeFile(QStringLiteral("victim"), "keep");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("victim")), path(QStringLiteral("link/trace.log"))));
    writeFile(QStringLiteral("foreign/trace.log"), "keep");
    const bool chowned =
        ::chown(QFile::encodeName(path(QStringLiteral("foreign/trace.log"))).constData(), 65534, 65534) == 0;
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe/trace.log"))).constData(), 0600), 0);

    const std::pair<const char*, const char*> rows[] = {
        {"fresh", nullptr},
        {"old", nullptr},
        {"missing", "Error: 76. Path not found"},
        {"folder", "Error: 75. Path/File access error"},
        {"link", "Error: 75. Path/File access error"},
        {"foreign", "Error: 75. Path/File access error"},
        {"pipe", "Error: 75. Path/File access error"},
    };
    for (const auto& [programFolder, message] : rows) {
        if (programFolder == std::string("foreign") && !chowned)
            continue; // only root can give a file away
        SCOPED_TRACE(programFolder);
        messages.shown.clear();
        platform::setAppPathOverride(path(QLatin1String(programFolder)).toStdString());
        handler->TraceExecution(true);
        handler->Push("A");
        handler->Push("B");
        handler->Pop();
        handler->Pop();
        handler->TraceExecution(false);
        handler->Push("C");
        handler->Pop();
        ASSERT_EQ(messages.shown.size(), message ? 1u : 0u);
        if (message) {
            EXPECT_EQ(messages.shown[0].text, message);
        }
    }
    for (const char* trace : {"fresh/trace.log", "old/trace.log"})
        EXPECT_EQ(read(QLatin1String(trace)), "A\r\nB\r\n") << trace;
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("fresh/trace.log"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing"))));
    for (const char* name : {"victim", "foreign/trace.log"})
        EXPECT_EQ(read(QLatin1String(name)), "keep") << name;
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("link/trace.log"))).isSymLink());
}

} // namespace
