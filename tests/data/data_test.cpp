// Database tests work on real SQLite files in the test's temporary folder.
#include "data/clsdataenginedao.h"
#include "data/clsrecordset.h"
#include "data/daoengine.h"
#include "data/daorecordset.h"
#include "errors/procedure.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

class DataTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false);
        dbFile = path(QStringLiteral("data.db"));
        exec({QStringLiteral("CREATE TABLE People (Id INTEGER PRIMARY KEY, Name TEXT, Age INTEGER, Note TEXT)"),
              QStringLiteral("INSERT INTO People (Name, Age, Note) VALUES ('Ann', 31, NULL)"),
              QStringLiteral("INSERT INTO People (Name, Age, Note) VALUES ('Bob', NULL, 'x')"),
              QStringLiteral("INSERT INTO People (Name, Age, Note) VALUES ('Cy', 7, NULL)"),
              QStringLiteral("CREATE TABLE ErrorLog (Id INTEGER PRIMARY KEY, ErrorDate TEXT, ErrorString TEXT, "
                             "ErrorNumber INTEGER, ErrorLine INTEGER, ErrorProc TEXT, CallStack TEXT, "
                             "AdditionalInfo TEXT)"),
              QStringLiteral("CREATE TABLE Unique1 (Code TEXT NOT NULL UNIQUE)")});
        de = std::make_unique<clsDataEngineDAO>();
        de->OpenDatabase(dbFile);
        people = de->OpenRecordset(QStringLiteral("People"));
        ASSERT_TRUE(people);
    }

    // Runs statements on a connection of the test's own, closed afterwards;
    // gives the first value the last one returns.
    QVariant exec(const QStringList& statements)
    {
        QVariant v;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-side"));
            db.setDatabaseName(dbFile);
            EXPECT_TRUE(db.open());
            for (const QString& s : statements) {
                QSqlQuery q(db);
                EXPECT_TRUE(q.exec(s)) << qPrintable(s);
                v = q.next() ? q.value(0) : QVariant();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-side"));
        return v;
    }
    QVariant scalar(const QString& sql) { return exec({sql}); }
    // Adds a record, or edits the current one, with one field set, and saves it.
    static void put(clsRecordset& rs, bool add, const QString& field, const QVariant& value)
    {
        add ? rs.AddNew() : rs.Edit();
        rs.Fields(field, QVariant(), value);
        rs.Update();
    }

    QString dbFile;
    std::unique_ptr<clsDataEngineDAO> de; // open on the test's database
    std::shared_ptr<clsRecordset> people; // its table record set
};

using DataEngine = DataTest;

TEST_F(DataEngine, OpeningDatabasesReportsWhatCannotBeOpenedAndKeepsTheOldOne)
{
    clsDataEngineDAO unopened; // has nothing, and that is no error
    EXPECT_FALSE(unopened.OpenRecordset(QStringLiteral("People")));
    EXPECT_FALSE(unopened.CreateQueryRecordset(QStringLiteral("SELECT 1")));
    EXPECT_FALSE(handler->IsError());
    ASSERT_TRUE(de->Database());
    EXPECT_TRUE(messages.shown.empty());

    writeFile(QStringLiteral("junk.db"), QByteArray(4096, 'j'));
    const std::pair<QString, long> cases[] = {
        {path(QStringLiteral("missing.db")), dao::err::FileNotFound},
        {path(QStringLiteral("junk.db")), dao::err::UnrecognizedFormat},
    };
    for (const auto& [file, error] : cases) {
        messages.shown.clear();
        EXPECT_EQ(de->OpenDatabase(file), 0);
        EXPECT_EQ(handler->ErrNumber(), error) << qPrintable(file);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(de->Database()->Name(), dbFile);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing.db")))); // opening never creates
}

TEST_F(DataEngine, TableRecordsetsAreKeptByNameOnce)
{
    EXPECT_EQ(de->Recordset(QStringLiteral("PEOPLE")), people); // keys ignore letter case

    const struct {
        const char* what;
        std::function<std::shared_ptr<clsRecordset>()> call;
        long error;
    } failures[] = {
        {"duplicate", [&] { return de->OpenRecordset(QStringLiteral("people")); }, platform::errnum::DuplicateKey},
        {"unknown table", [&] { return de->OpenRecordset(QStringLiteral("Nobody")); }, dao::err::ItemNotFound},
        {"never opened", [&] { return de->Recordset(QStringLiteral("Nobody")); },
         platform::errnum::InvalidProcedureCall},
    };
    for (const auto& f : failures) {
        EXPECT_FALSE(f.call()) << f.what;
        EXPECT_EQ(handler->ErrNumber(), f.error) << f.what;
    }
    EXPECT_EQ(de->Recordset(QStringLiteral("People")), people); // the first stays
}

TEST_F(DataEngine, QueriesThatWouldWriteAreRefusedAndReadsStillWork)
{
    const char* invalidOperation = "Invalid operation.";
    const struct {
        QString sql;
        const char* description; // nullptr: the engine's own words follow "Invalid SQL statement."
    } refused[] = {
        {"DELETE FROM People", invalidOperation},
        {"  /* a note */ -- and another\n delete from People returning *", invalidOperation},
        {"INSERT INTO People (Name) VALUES ('Eve') RETURNING Id", invalidOperation},
        {"UPDATE People SET Age = 0 RETURNING Age", invalidOperation},
        {"WITH x AS (SELECT 1) DELETE FROM People RETURNING Name", invalidOperation},
        {"DROP TABLE People", invalidOperation},
        {"PRAGMA user_version = 7", invalidOperation},
        {"ATTACH DATABASE '" + path("attached.db") + "' AS a", invalidOperation},
        {"VACUUM INTO '" + path("copy.db") + "'", invalidOperation},
        {"BEGIN", invalidOperation},
        {"", invalidOperation},
        {"SELECT 1; DELETE FROM People", nullptr},
        {"SELECT FROM WHERE", nullptr},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(de->CreateQueryRecordset(c.sql)) << qPrintable(c.sql);
        EXPECT_EQ(handler->ErrNumber(), dao::err::InvalidOperation) << qPrintable(c.sql);
        if (c.description)
            EXPECT_EQ(handler->ErrDescription(), c.description) << qPrintable(c.sql);
        else
            EXPECT_EQ(handler->ErrDescription().rfind("Invalid SQL statement.", 0), 0u) << qPrintable(c.sql);
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT group_concat(Name || ':' || ifnull(Age, '-')) FROM People")),
              QVariant(QStringLiteral("Ann:31,Bob:-,Cy:7")));
    EXPECT_EQ(scalar(QStringLiteral("PRAGMA user_version")), QVariant(0));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("attached.db"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("copy.db"))));

    // A query behind WITH still reads.
    auto query = de->CreateQueryRecordset(QStringLiteral("WITH n AS (SELECT Name FROM People) SELECT count(*) FROM n"));
    ASSERT_TRUE(query);
    EXPECT_EQ(query->Fields(0), QVariant(3));
}

TEST_F(DataEngine, RecordsetsStayUsableAfterTheDatabaseIsReplacedAndTheEngineGone)
{
    exec({QStringLiteral("CREATE TABLE Other (x)")});
    de->OpenDatabase(dbFile); // replaced; the record set keeps its own connection
    de.reset();
    put(*people, false, QStringLiteral("Age"), 32);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT Age FROM People WHERE Name = 'Ann'")), QVariant(32));
}

using Recordsets = DataTest;

// Ann's Note is null, Bob's Age is null.
TEST_F(Recordsets, NullsReadAndWriteAsTheDefaultOrNull)
{
    EXPECT_EQ(people->Fields(QStringLiteral("Note"), 0), QVariant(0));
    EXPECT_TRUE(people->Fields(QStringLiteral("Note")).isNull());
    EXPECT_EQ(people->Fields(QStringLiteral("Age"), 0), QVariant(31)); // not null: the value
    people->MoveNext();
    EXPECT_EQ(people->Fields(2, -1), QVariant(-1)); // by index
    people->MovePrevious();

    people->Edit();
    people->Fields(QStringLiteral("Note"), QStringLiteral(""), QVariant());
    people->Fields(QStringLiteral("Name"), QVariant(), QVariant());
    people->Fields(QStringLiteral("Age"), 99, 40); // a value wins over the default
    people->Update();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT quote(Note) || quote(Name) || Age FROM People WHERE Id = 1")),
              QVariant(QStringLiteral("''NULL40")));
}

TEST_F(Recordsets, PopulateCountsEveryRecordAndTheCursorEdgesAreReported)
{
    EXPECT_EQ(people->RecordCount(), 1); // only what has been reached so far
    put(*people, true, QStringLiteral("Name"), QStringLiteral("Dee"));
    EXPECT_EQ(people->Populate(), 4);
    EXPECT_EQ(people->Fields(QStringLiteral("Name")), QVariant(QStringLiteral("Ann"))); // back at the first
    EXPECT_FALSE(handler->IsError());
    people->MoveLast();
    people->MoveNext();
    EXPECT_TRUE(people->IsEOF());
    people->MoveNext(); // past the end
    EXPECT_EQ(handler->ErrNumber(), dao::err::NoCurrentRecord);

    auto empty = de->CreateQueryRecordset(QStringLiteral("SELECT * FROM People WHERE 0"));
    ASSERT_TRUE(empty);
    handler->Clear();
    EXPECT_EQ(empty->Populate(), 0); // nothing to count is not an error
    EXPECT_FALSE(handler->IsError());
}

TEST_F(Recordsets, FailedUpdateKeepsWhatWasSavedAndTheEdit)
{
    auto codes = de->OpenRecordset(QStringLiteral("Unique1"));
    ASSERT_TRUE(codes);
    put(*codes, true, QStringLiteral("Code"), QStringLiteral("A"));
    put(*codes, true, QStringLiteral("Code"), QStringLiteral("A"));
    EXPECT_EQ(handler->ErrNumber(), dao::err::DuplicateValues);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Unique1")), QVariant(1));
    // The typed value is still there to correct and save.
    EXPECT_EQ(codes->Fields(QStringLiteral("Code")), QVariant(QStringLiteral("A")));
    codes->Fields(QStringLiteral("Code"), QVariant(), QStringLiteral("B"));
    codes->Update();
    EXPECT_EQ(scalar(QStringLiteral("SELECT group_concat(Code) FROM Unique1")), QVariant(QStringLiteral("A,B")));
    codes->Fields(QStringLiteral("Code"), QVariant(), QStringLiteral("C")); // nothing under way
    EXPECT_EQ(handler->ErrNumber(), dao::err::UpdateWithoutEdit);
}

TEST_F(Recordsets, ErrorReportsBecomeRowsAndClearLogEmptiesTheTable)
{
    auto log = de->OpenRecordset(QStringLiteral("ErrorLog"));
    ASSERT_TRUE(log);
    handler->Destination(ErrorLogRecordsetRef(log->Recordset()));
    handler->ReportErrors(false);
    errors::Procedure("frmMain.Form_Load()", [&] {
        handler->CurrentOperation("Loading");
        errors::Procedure("frmMain.UpdateForm()", [] { throw platform::RuntimeError(1004, std::string(300, 'y')); });
    });
    EXPECT_EQ(scalar(QStringLiteral("SELECT length(ErrorString) || '|' || ErrorNumber || '|' || ErrorProc || '|' || "
                                    "CallStack || '|' || substr(AdditionalInfo, 1, 18) || (ErrorDate > '2000') "
                                    "FROM ErrorLog")),
              QVariant(QStringLiteral("255|1004|frmMain.UpdateForm()|01  frmMain.Form_Load()\r\n02    "
                                      "frmMain.UpdateForm()\r\n\r\nCurrent Operation: Loading|Current Directory:1")));
    EXPECT_TRUE(handler->ClearLog());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ErrorLog")), QVariant(0));
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM People")), QVariant(3));
}

TEST_F(Recordsets, EveryNameTheDatabaseHoldsRoundTripsAndOthersAreRefused)
{
    const QString names[] = {
        QStringLiteral("[t2]"),
        QStringLiteral("a\"b"),
        QStringLiteral("x\"); DROP TABLE People; --"),
        QStringLiteral("a.b"),
        QStringLiteral("rowid"), // the row id then answers to another of its names
        QStringLiteral("\u00fcn\u00ef \u540d"),
        QString(),
        QString(3000, QLatin1Char('n')),
    };
    const auto sqlName = [](QString n) {
        return QLatin1Char('"') + n.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    };
    QStringList setup{QStringLiteral("CREATE TABLE t2 (x)")}; // where a misread "[t2]" would lead
    for (const QString& n : names)
        setup << QStringLiteral("CREATE TABLE %1 (%1 TEXT)").arg(sqlName(n))
              << QStringLiteral("INSERT INTO %1 VALUES ('first')").arg(sqlName(n));
    exec(setup);

    for (const QString& n : names) {
        SCOPED_TRACE(n.left(40).toStdString());
        auto rs = de->OpenRecordset(n);
        ASSERT_TRUE(rs);
        EXPECT_EQ(rs->Fields(n), QVariant(QStringLiteral("first")));
        put(*rs, false, n, QStringLiteral("edited"));
        put(*rs, true, n, QStringLiteral("added"));
        EXPECT_EQ(rs->Populate(), 2);
        EXPECT_EQ(
            scalar(QStringLiteral("SELECT group_concat(%1) FROM (SELECT %1 FROM %1 ORDER BY _rowid_)").arg(sqlName(n))),
            QVariant(QStringLiteral("edited,added")));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM t2")), QVariant(0));
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM People")), QVariant(3));

    // A NUL cannot be part of a name: refused, not cut short to "a".
    exec({QStringLiteral("CREATE TABLE a (a)")});
    EXPECT_FALSE(de->OpenRecordset(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    EXPECT_EQ(handler->ErrNumber(), dao::err::InvalidOperation);
    EXPECT_EQ(handler->ErrDescription(), "Invalid operation.");
}
