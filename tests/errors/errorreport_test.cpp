#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "util/fakeform.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include <functional>
#include <optional>
#include <stdexcept>

using platform::RuntimeError;

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString TIME_LINE = QStringLiteral("Current Time   : <time>");

const char* const UNEXPECTED_HEAD = "There has been an unexpected error. This may cause loss of data and/or program "
                                    "instability\r\n\r\nPlease report these details to the support line:\r\n";
const char* const UNEXPECTED_TAIL = "\r\nDo you wish to continue? (Note: If you select No, the program will terminate, "
                                    "and you will lose any data you may have changed)";

// A record set that keeps its rows in memory.
class MemoryRecordset : public ErrorLogRecordset {
public:
    void AddNew() override { pending.emplace(); }
    void SetField(const QString& name, const QVariant& value) override
    {
        if (failOn == name)
            throw RuntimeError(3265, QStringLiteral("Item not found in this collection."));
        pending->insert(name, value);
    }
    void Update() override
    {
        rows.push_back(*pending);
        pending.reset();
    }
    int RecordCount() override { return int(rows.size()); }
    void MoveFirst() override { pos = 0; }
    void Delete() override { rows.erase(rows.begin() + long(pos)); }
    // Erasing a row already brings the next one under the position.
    void MoveNext() override {}
    bool IsEOF() override { return pos >= rows.size(); }

    std::optional<QMap<QString, QVariant>> pending;
    std::vector<QMap<QString, QVariant>> rows;
    size_t pos = 0;
    QString failOn;
};

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
    static void failTwoDeep(const RuntimeError& error)
    {
        errors::Procedure(QStringLiteral("frmMain.Form_Load()"),
                          [&] { errors::Procedure(QStringLiteral("frmMain.UpdateForm()"), [&] { fail(error); }); });
    }

    QByteArray log() const
    {
        QFile f(path(QStringLiteral("error.log")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // The report with its time line replaced by TIME_LINE once its shape is checked.
    QString logWithoutTime() const
    {
        QStringList lines = QString::fromLocal8Bit(log()).split(CRLF);
        if (lines.size() < 3)
            return lines.join(CRLF);
        static const QRegularExpression shape(
            QStringLiteral("^Current Time   : \\S.* \\d{1,2}:\\d{2}:\\d{2}\\S*( \\S+)?$"));
        EXPECT_TRUE(shape.match(lines[2]).hasMatch()) << lines[2].toStdString();
        lines[2] = TIME_LINE;
        return lines.join(CRLF);
    }
    static QString text(const QStringList& lines) { return lines.join(CRLF) + CRLF; }
    QStringList head(const QString& description, long number, const QString& proc) const
    {
        return {QStringLiteral("Quillmark Application Error Information"),
                QString(36, QLatin1Char('=')),
                TIME_LINE,
                QStringLiteral("Error String   : ") + description,
                QStringLiteral("Error Number   : ") + QString::number(number),
                QStringLiteral("Error Line     : 0"),
                QStringLiteral("Error Procedure: ") + proc,
                QString(),
                QStringLiteral("Procedure Stack"),
                QString(15, QLatin1Char('-'))};
    }
    QStringList additionalInformation() const
    {
        const platform::AppInfo& a = platform::App();
        return {QString(),
                QStringLiteral("Additional Information"),
                QString(22, QLatin1Char('-')),
                QStringLiteral("Current Directory: ") + QDir::toNativeSeparators(QDir::currentPath()),
                QStringLiteral("App Title: Quillmark"),
                QStringLiteral("App CompanyName: ") + a.companyName,
                QStringLiteral("App Major: ") + QString::number(a.major),
                QStringLiteral("App Minor: ") + QString::number(a.minor),
                QStringLiteral("App Revision: ") + QString::number(a.revision),
                QStringLiteral("App Path: ") + dir.path(),
                QStringLiteral("App ProductName: ") + a.productName};
    }
    static QString unexpectedText(const QString& details)
    {
        return QLatin1String(UNEXPECTED_HEAD) + details + QLatin1String(UNEXPECTED_TAIL);
    }
};

TEST_F(ErrorReportTest, ReportLayoutWithWindowsAndAdditionalInformation)
{
    FakeForm main(QStringLiteral("frmMain"));
    FakeForm help(QStringLiteral("frmClassHelp"));
    main.caption = QStringLiteral("Quillmark 1.0");
    help.caption = QStringLiteral("Address Classes");
    failTwoDeep(RuntimeError(platform::errnum::SubscriptOutOfRange));

    QStringList expected = head(QStringLiteral("Subscript out of range"), 9, QStringLiteral("frmMain.UpdateForm()"));
    expected << QStringLiteral("01  frmMain.Form_Load()") << QStringLiteral("02    frmMain.UpdateForm()") << QString()
             << QString() << QStringLiteral("Open Windows") << QString(12, QLatin1Char('-'))
             << QStringLiteral("frmMain (Quillmark 1.0)") << QStringLiteral("frmClassHelp (Address Classes)")
             << QString();
    expected << additionalInformation();
    EXPECT_EQ(logWithoutTime(), text(expected));

    // The start-up settings show the dialog only, and Yes goes on with the stack unwound.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              unexpectedText(QStringLiteral("9: Subscript out of range\r\nfrmMain.UpdateForm()\r\n")));
    EXPECT_EQ(messages.shown[0].style, platform::vbYesNo | platform::vbExclamation);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Unexpected Error"));
    EXPECT_EQ(messages.beeps, 0);
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_TRUE(handler->IsError());
}

TEST_F(ErrorReportTest, CurrentOperationAndNoAdditionalInformation)
{
    handler->IncludeExpandedInfo(false);
    handler->CurrentOperation(QStringLiteral("Saving the window placement"));
    errors::Procedure(QStringLiteral("Main"), [] { fail(RuntimeError(platform::errnum::FileNotFound)); });

    QStringList expected = head(QStringLiteral("File not found"), 53, QStringLiteral("Main"));
    expected << QStringLiteral("01  Main") << QString()
             << QStringLiteral("Current Operation: Saving the window placement") << QString()
             << QStringLiteral("Open Windows") << QString(12, QLatin1Char('-')) << QString();
    EXPECT_EQ(logWithoutTime(), text(expected));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, unexpectedText(QStringLiteral(
                                          "53: File not found\r\nMain\r\nOperation: Saving the window placement\r\n")));
}

TEST_F(ErrorReportTest, EmptyStackAndTenDeepStack)
{
    handler->IncludeExpandedInfo(false);
    platform::Err().set(RuntimeError(platform::errnum::Overflow));
    handler->HandleError();
    QStringList expected = head(QStringLiteral("Overflow"), 6, QString());
    expected << QString() << QString() << QStringLiteral("Open Windows") << QString(12, QLatin1Char('-')) << QString();
    EXPECT_EQ(logWithoutTime(), text(expected));

    for (int i = 1; i <= 9; ++i)
        handler->Push(QStringLiteral("P%1()").arg(i));
    errors::Procedure(QStringLiteral("P10()"), [] { fail(RuntimeError(platform::errnum::Overflow)); });
    const QStringList lines = QString::fromLocal8Bit(log()).split(CRLF);
    EXPECT_EQ(lines.count(QStringLiteral("Quillmark Application Error Information")), 1); // the second report only
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines[10], QStringLiteral("01  P1()"));
    EXPECT_EQ(lines[18], QStringLiteral("09") + QString(18, QLatin1Char(' ')) + QStringLiteral("P9()"));
    EXPECT_EQ(lines[19], QStringLiteral("10") + QString(20, QLatin1Char(' ')) + QStringLiteral("P10()"));
    EXPECT_EQ(lines[20], QString());
}

TEST_F(ErrorReportTest, LongDescriptionIsCutInTheReportOnly)
{
    handler->DisplayMsgOnError(true);
    const QString longText = QString(250, QLatin1Char('x')) + QStringLiteral("ABCDEFGHIJ");
    errors::Procedure(QStringLiteral("clsApp.Start()"), [&] { fail(RuntimeError(1004, longText)); });
    const QStringList lines = QString::fromLocal8Bit(log()).split(CRLF);
    ASSERT_GT(lines.size(), 4);
    EXPECT_EQ(lines[3], QStringLiteral("Error String   : ") + longText.left(255));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(longText));
    EXPECT_TRUE(messages.shown[1].text.contains(longText));
}

TEST_F(ErrorReportTest, CriticalMessageWhenConfigured)
{
    handler->DisplayMsgOnError(true);
    handler->CurrentOperation(QStringLiteral("Loading"));
    bool after = false;
    handler->AfterHandlerCalled = [&] {
        after = true;
        EXPECT_EQ(messages.shown.size(), 1u); // after the critical message, before the dialog
    };
    failTwoDeep(RuntimeError(platform::errnum::PathNotFound));
    EXPECT_TRUE(after);
    EXPECT_EQ(messages.beeps, 1);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("The following error has occurred in procedure: \r\nfrmMain.UpdateForm() on line 0\r\n"
                             "Error (76) Path not found\r\nCurrent Operation: Loading"));
    EXPECT_EQ(messages.shown[0].style, platform::vbCritical | platform::vbOKOnly);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Quillmark"));
    EXPECT_EQ(messages.shown[1].title, QStringLiteral("Unexpected Error"));
}

TEST_F(ErrorReportTest, CancellingListenerKeepsTheLogButNotTheDialog)
{
    writeFile(QStringLiteral("error.log"), "previous report\r\n");
    handler->DisplayMsgOnError(true);
    bool after = false;
    handler->BeforeHandlerCalled = [](bool& cancel) {
        EXPECT_FALSE(cancel);
        cancel = true;
    };
    handler->AfterHandlerCalled = [&] { after = true; };
    errors::Procedure(QStringLiteral("frmAbout.Form_Load()"),
                      [] { fail(RuntimeError(platform::errnum::PermissionDenied)); });
    EXPECT_EQ(log(), QByteArray("previous report\r\n"));
    EXPECT_FALSE(after);
    EXPECT_EQ(messages.beeps, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              unexpectedText(QStringLiteral("70: Permission denied\r\nfrmAbout.Form_Load()\r\n")));
    EXPECT_EQ(handler->ErrNumber(), platform::errnum::PermissionDenied);
}

TEST_F(ErrorReportTest, YesReturnsThroughTheFailedProcedure)
{
    bool continued = false;
    const int result = errors::Function<int>(QStringLiteral("Outer()"), [&](int& r) {
        r = errors::Function<int>(QStringLiteral("Inner()"), [](int& inner) {
            inner = 7;
            fail(RuntimeError(platform::errnum::DiskFull));
            inner = 8;
        });
        continued = true;
    });
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(continued);
    EXPECT_EQ(handler->ErrProc(), QStringLiteral("Inner()"));
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_EQ(platform::Err().Number, 0); // cleared for the caller
    EXPECT_TRUE(handler->IsError());      // until the handler's own is cleared
    handler->Clear();
    EXPECT_FALSE(handler->IsError());
    EXPECT_EQ(handler->ErrNumber(), 0);
    EXPECT_EQ(handler->ErrDescription(), QString());
    EXPECT_EQ(handler->ErrProc(), QString());
}

// Fails while showing the "Unexpected Error" dialog.
class ThrowingSink : public platform::ScriptedMessages {
public:
    int show(const QString& text, int style, const QString& title) override
    {
        const int answer = ScriptedMessages::show(text, style, title);
        if (title == QStringLiteral("Unexpected Error"))
            throw RuntimeError(platform::errnum::OutOfMemory);
        return answer;
    }
};

TEST_F(ErrorReportTest, AnErrorInTheDialogIsSeriousAndEndsTheProgram)
{
    ThrowingSink sink;
    EXPECT_THROW(failTwoDeep(RuntimeError(platform::errnum::SubscriptOutOfRange)), platform::ProcessEnded);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text,
              QStringLiteral("There has been a serious internal error. The program will now exit."));
    EXPECT_EQ(sink.shown[1].style, platform::vbCritical | platform::vbOKOnly);
    EXPECT_EQ(sink.shown[1].title, QStringLiteral("Serious Error"));
}

// With reports off the log is still written, but nothing is shown.
TEST_F(ErrorReportTest, AnyExceptionBecomesARunTimeError)
{
    handler->DisplayMsgOnError(true);
    handler->ReportErrors(false);
    struct Row {
        std::function<void()> raise;
        long number;
        const char* description;
    };
    const Row rows[] = {
        {[] { fail(RuntimeError(platform::errnum::PathNotFound)); }, 76, "Path not found"},
        {[] { throw std::runtime_error("disk on fire"); }, 51, "Internal error: disk on fire"},
        {[] { throw std::bad_alloc(); }, 7, "Out of memory"},
        {[] { throw 42; }, 51, "Internal error"},
    };
    for (const Row& r : rows) {
        errors::Procedure(QStringLiteral("Probe()"), r.raise);
        EXPECT_EQ(handler->ErrNumber(), r.number);
        EXPECT_EQ(handler->ErrDescription(), QLatin1String(r.description));
        EXPECT_EQ(handler->ErrProc(), QStringLiteral("Probe()"));
        EXPECT_TRUE(log().startsWith("Quillmark Application Error Information\r\n"));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(messages.beeps, 0);
    EXPECT_EQ(handler->StackDepth(), 0);
}

TEST_F(ErrorReportTest, DestinationTakesTextsAndRecordSetsOnly)
{
    const QVariant before = handler->Destination();
    // The codes name the value's kind; one value of each kind refused.
    const std::pair<QVariant, int> rows[] = {{QVariant(), 0},
                                             {QVariant(42), 3},
                                             {QVariant::fromValue(static_cast<QObject*>(nullptr)), 9},
                                             {QVariant::fromValue(ErrorLogRecordsetRef()), 9}};
    for (const auto& [value, typeCode] : rows) {
        SCOPED_TRACE(typeCode);
        try {
            handler->Destination(value);
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), -2147220504);
            EXPECT_EQ(e.description(), QStringLiteral("Invalid object type: ") + QString::number(typeCode));
        }
        EXPECT_EQ(handler->Destination(), before);
    }
    auto rs = std::make_shared<MemoryRecordset>();
    handler->Destination(QVariant::fromValue(ErrorLogRecordsetRef(rs)));
    EXPECT_EQ(handler->Destination().value<ErrorLogRecordsetRef>().get(), rs.get());
    handler->Destination(QStringLiteral("other.log"));
    EXPECT_EQ(handler->Destination(), QVariant(QStringLiteral("other.log")));
}

TEST_F(ErrorReportTest, DefaultDestinationIsKeptButWrittenToTheTempFolder)
{
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.path().toLocal8Bit());
    clsErrHandler& fresh = gErrHandlerRenew();
    EXPECT_EQ(fresh.Destination(), QVariant(QStringLiteral("C:\\ERRORS.TXT")));
    failTwoDeep(RuntimeError(platform::errnum::SubscriptOutOfRange));
    EXPECT_EQ(fresh.Destination(), QVariant(QStringLiteral("C:\\ERRORS.TXT")));
    QFile f(path(QStringLiteral("ERRORS.TXT")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Error Procedure: frmMain.UpdateForm()\r\n"));
    EXPECT_TRUE(fresh.ClearLog());
    EXPECT_FALSE(f.exists());
    EXPECT_TRUE(fresh.ClearLog()); // nothing to delete is no failure

    const std::pair<const char*, QString> rows[] = {
        {"C:\\ERRORS.TXT", path(QStringLiteral("ERRORS.TXT"))},
        {"d:/logs/app.txt", path(QStringLiteral("app.txt"))},
        {"logs\\app.txt", QStringLiteral("logs/app.txt")},
        {"/var/tmp/app.log", QStringLiteral("/var/tmp/app.log")},
    };
    for (const auto& [destination, file] : rows)
        EXPECT_EQ(clsErrHandler::resolveDestinationPath(QLatin1String(destination)), file) << destination;
    if (oldTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTmp);
}

TEST_F(ErrorReportTest, AnUnwritableLogWritesNothingAndTheDialogFollows)
{
    writeFile(QStringLiteral("plainfile"));
    for (const QString& destination :
         {path(QStringLiteral("missing/error.log")), path(QStringLiteral("plainfile/error.log"))}) {
        SCOPED_TRACE(destination.toStdString());
        messages.shown.clear();
        handler->Destination(destination);
        handler->DisplayMsgOnError(true);
        EXPECT_NO_THROW(failTwoDeep(RuntimeError(platform::errnum::SubscriptOutOfRange)));
        EXPECT_FALSE(QFile::exists(destination));
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[1].title, QStringLiteral("Unexpected Error"));
        EXPECT_EQ(handler->StackDepth(), 0);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing"))));
}

TEST_F(ErrorReportTest, RecordSetGetsOneRowPerReport)
{
    auto rs = std::make_shared<MemoryRecordset>();
    handler->Destination(QVariant::fromValue(ErrorLogRecordsetRef(rs)));
    handler->CurrentOperation(QStringLiteral("Loading"));
    const QString longText = QString(300, QLatin1Char('y'));
    failTwoDeep(RuntimeError(1004, longText));
    ASSERT_EQ(rs->rows.size(), 1u);
    const auto& row = rs->rows[0];
    EXPECT_EQ(row.keys(),
              (QStringList{QStringLiteral("AdditionalInfo"), QStringLiteral("CallStack"), QStringLiteral("ErrorDate"),
                           QStringLiteral("ErrorLine"), QStringLiteral("ErrorNumber"), QStringLiteral("ErrorProc"),
                           QStringLiteral("ErrorString")}));
    EXPECT_EQ(row[QStringLiteral("ErrorString")].toString(), longText.left(255));
    EXPECT_EQ(row[QStringLiteral("ErrorNumber")].toInt(), 1004);
    EXPECT_EQ(row[QStringLiteral("ErrorProc")].toString(), QStringLiteral("frmMain.UpdateForm()"));
    EXPECT_EQ(
        row[QStringLiteral("CallStack")].toString(),
        QStringLiteral("01  frmMain.Form_Load()\r\n02    frmMain.UpdateForm()\r\n\r\nCurrent Operation: Loading"));
    EXPECT_EQ(row[QStringLiteral("AdditionalInfo")].toString(), additionalInformation().mid(3).join(CRLF));
    EXPECT_TRUE(row[QStringLiteral("ErrorDate")].toDateTime().isValid());

    // A row that cannot be written is dropped without a word; the dialog still follows.
    handler->IncludeExpandedInfo(false);
    rs->failOn = QStringLiteral("ErrorProc");
    messages.shown.clear();
    EXPECT_NO_THROW(failTwoDeep(RuntimeError(platform::errnum::SubscriptOutOfRange)));
    EXPECT_EQ(rs->rows.size(), 1u);
    EXPECT_EQ(messages.shown.size(), 1u);
}

} // namespace
