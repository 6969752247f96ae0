#include "data/daoengine.h"
#include "data/daorecordset.h"
#include "data/datatest.h"

#include <QFile>

class DataEngine : public DataTest {};

TEST_F(DataEngine, WithoutAnOpenDatabaseThereIsNothingAndNoError)
{
    clsDataEngineDAO de;
    EXPECT_FALSE(de.OpenRecordset(QStringLiteral("People")));
    EXPECT_FALSE(de.CreateQueryRecordset(QStringLiteral("SELECT 1")));
    EXPECT_FALSE(handler->IsError());
}

TEST_F(DataEngine, OpeningDatabasesReportsWhatCannotBeOpenedAndKeepsTheOldOne)
{
    clsDataEngineDAO de;
    EXPECT_EQ(de.OpenDatabase(dbFile), 0);
    ASSERT_TRUE(de.Database());
    EXPECT_TRUE(messages.shown.empty());

    writeFile(QStringLiteral("junk.db"), QByteArray(4096, 'j'));
    const std::pair<QString, long> cases[] = {
        {path(QStringLiteral("missing.db")), dao::err::FileNotFound},
        {path(QStringLiteral("junk.db")), dao::err::UnrecognizedFormat},
    };
    for (const auto& [file, error] : cases) {
        messages.shown.clear();
        EXPECT_EQ(de.OpenDatabase(file), 0);
        EXPECT_EQ(handler->ErrNumber(), error) << qPrintable(file);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(de.Database()->Name(), dbFile);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing.db")))); // opening never creates
}

TEST_F(DataEngine, TableRecordsetsAreKeptByNameOnce)
{
    clsDataEngineDAO de;
    de.OpenDatabase(dbFile);
    auto people = de.OpenRecordset(QStringLiteral("People"));
    ASSERT_TRUE(people);
    EXPECT_EQ(de.Recordset(QStringLiteral("PEOPLE")), people); // keys ignore letter case

    const struct {
        const char* what;
        std::function<std::shared_ptr<clsRecordset>()> call;
        long error;
    } failures[] = {
        {"duplicate", [&] { return de.OpenRecordset(QStringLiteral("people")); }, platform::errnum::DuplicateKey},
        {"unknown table", [&] { return de.OpenRecordset(QStringLiteral("Nobody")); }, dao::err::ItemNotFound},
        {"never opened", [&] { return de.Recordset(QStringLiteral("Nobody")); },
         platform::errnum::InvalidProcedureCall},
    };
    for (const auto& f : failures) {
        EXPECT_FALSE(f.call()) << f.what;
        EXPECT_EQ(handler->ErrNumber(), f.error) << f.what;
    }
    EXPECT_EQ(de.Recordset(QStringLiteral("People")), people); // the first stays
}

TEST_F(DataEngine, QueryRecordsetsAreIndependentAndReadOnly)
{
    clsDataEngineDAO de;
    de.OpenDatabase(dbFile);
    const QString sql = QStringLiteral("SELECT Name FROM People ORDER BY Name");
    auto a = de.CreateQueryRecordset(sql);
    auto b = de.CreateQueryRecordset(sql);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    a->MoveNext();
    EXPECT_EQ(b->Populate(), 3);
    EXPECT_EQ(a->Fields(0), QVariant(QStringLiteral("Bob")));
    EXPECT_EQ(b->Fields(0), QVariant(QStringLiteral("Ann")));

    a->Edit();
    EXPECT_EQ(handler->ErrNumber(), dao::err::ReadOnly);
}

TEST_F(DataEngine, QueriesThatWouldWriteAreRefusedAndTableWritesStillCommit)
{
    clsDataEngineDAO de;
    de.OpenDatabase(dbFile);
    auto before = de.OpenRecordset(QStringLiteral("People")); // opened before the refused statements
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
        EXPECT_FALSE(de.CreateQueryRecordset(c.sql)) << qPrintable(c.sql);
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

    // Queries still read, and table record sets opened before and after still write.
    auto query = de.CreateQueryRecordset(QStringLiteral("WITH n AS (SELECT Name FROM People) SELECT count(*) FROM n"));
    ASSERT_TRUE(query);
    EXPECT_EQ(query->Fields(0), QVariant(3));
    auto after = de.OpenRecordset(QStringLiteral("Unique1"));
    ASSERT_TRUE(before && after);
    before->Edit();
    before->Fields(QStringLiteral("Age"), QVariant(), 40);
    before->Update();
    after->AddNew();
    after->Fields(QStringLiteral("Code"), QVariant(), QStringLiteral("Z"));
    after->Update();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Age FROM People WHERE Name = 'Ann'")), QVariant(40));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Code FROM Unique1")), QVariant(QStringLiteral("Z")));
}

TEST_F(DataEngine, DatabaseStaysUsableForRecordsetsAfterReplacement)
{
    auto de = std::make_unique<clsDataEngineDAO>();
    de->OpenDatabase(dbFile);
    auto people = de->OpenRecordset(QStringLiteral("People"));
    exec({QStringLiteral("CREATE TABLE Other (x)")});
    de->OpenDatabase(dbFile); // replaced; the record set keeps its own connection
    de.reset();
    people->Edit();
    people->Fields(QStringLiteral("Age"), QVariant(), 32);
    people->Update();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT Age FROM People WHERE Name = 'Ann'")), QVariant(32));
}
