#include "data/daoengine.h"
#include "data/daorecordset.h"
#include "data/datatest.h"

class Recordsets : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        de = std::make_unique<clsDataEngineDAO>();
        de->OpenDatabase(dbFile);
        people = de->OpenRecordset(QStringLiteral("People"));
        ASSERT_TRUE(people);
    }
    void TearDown() override
    {
        people.reset();
        de.reset();
        DataTest::TearDown();
    }
    std::unique_ptr<clsDataEngineDAO> de;
    std::shared_ptr<clsRecordset> people;
};

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

TEST_F(Recordsets, FailedFieldReadNamesTheFieldInTheReport)
{
    EXPECT_FALSE(people->Fields(QStringLiteral("Nope"), 5).isValid());
    EXPECT_EQ(handler->ErrNumber(), dao::err::ItemNotFound);
    EXPECT_EQ(handler->CurrentOperation(), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("Operation: Getting field 'Nope'"), std::string::npos);
}

TEST_F(Recordsets, PopulateCountsEveryRecordAndTheCursorEdgesAreReported)
{
    EXPECT_EQ(people->RecordCount(), 1); // only what has been reached so far
    people->AddNew();
    people->Fields(QStringLiteral("Name"), QVariant(), QStringLiteral("Dee"));
    people->Update();
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
    codes->AddNew();
    codes->Fields(QStringLiteral("Code"), QVariant(), QStringLiteral("A"));
    codes->Update();
    codes->AddNew();
    codes->Fields(QStringLiteral("Code"), QVariant(), QStringLiteral("A"));
    codes->Update();
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
    handler->Push("frmMain.Form_Load()");
    handler->Push("frmMain.UpdateForm()");
    handler->CurrentOperation("Loading");
    platform::Err().set(platform::RuntimeError(1004, std::string(300, 'y')));
    handler->HandleError();
    handler->HandleError();
    handler->Pop();
    handler->Pop();

    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ErrorLog")), QVariant(2));
    EXPECT_EQ(scalar(QStringLiteral("SELECT length(ErrorString) || '|' || ErrorNumber || '|' || ErrorLine || '|' || "
                                    "ErrorProc || '|' || CallStack FROM ErrorLog ORDER BY Id LIMIT 1")),
              QVariant(QStringLiteral("255|1004|0|frmMain.UpdateForm()|01  frmMain.Form_Load()\r\n02    "
                                      "frmMain.UpdateForm()\r\n\r\nCurrent Operation: Loading")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT substr(AdditionalInfo, 1, 18) || (ErrorDate > '2000') FROM ErrorLog")),
              QVariant(QStringLiteral("Current Directory:1")));

    EXPECT_TRUE(handler->ClearLog());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ErrorLog")), QVariant(0));
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM People")), QVariant(3));
}

TEST_F(Recordsets, EveryNameTheDatabaseHoldsRoundTripsAndOthersAreRefused)
{
    const QString names[] = {
        QStringLiteral("[t2]"),
        QStringLiteral("a\"b"),
        QStringLiteral("\"quoted\""),
        QStringLiteral("a]b["),
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
        setup << QStringLiteral("CREATE TABLE %1 (%1 TEXT, k INTEGER)").arg(sqlName(n))
              << QStringLiteral("INSERT INTO %1 VALUES ('first', 1)").arg(sqlName(n));
    exec(setup);

    for (const QString& n : names) {
        SCOPED_TRACE(n.left(40).toStdString());
        auto rs = de->OpenRecordset(n);
        if (!rs) {
            ADD_FAILURE() << "not opened";
            continue;
        }
        EXPECT_EQ(rs->Fields(n), QVariant(QStringLiteral("first")));
        rs->Edit();
        rs->Fields(n, QVariant(), QStringLiteral("edited"));
        rs->Update();
        rs->AddNew();
        rs->Fields(n, QVariant(), QStringLiteral("added"));
        rs->Fields(QStringLiteral("k"), QVariant(), 2);
        rs->Update();
        EXPECT_EQ(rs->Populate(), 2);
        EXPECT_EQ(
            scalar(QStringLiteral("SELECT group_concat(%1 || k) FROM (SELECT * FROM %1 ORDER BY k)").arg(sqlName(n))),
            QVariant(QStringLiteral("edited1,added2")));
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
