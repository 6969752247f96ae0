#pragma once
// Database tests work on real SQLite files in the test's temporary folder.
#include "data/clsdataenginedao.h"
#include "data/clsrecordset.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"

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
    }

    // Runs statements in one transaction on a connection of the test's own,
    // closed afterwards; gives the first value the last one returns.
    QVariant exec(const QStringList& statements)
    {
        QVariant v;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-side"));
            db.setDatabaseName(dbFile);
            EXPECT_TRUE(db.open());
            db.transaction();
            for (const QString& s : statements) {
                QSqlQuery q(db);
                EXPECT_TRUE(q.exec(s)) << qPrintable(s);
                v = q.next() ? q.value(0) : QVariant();
            }
            db.commit();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-side"));
        return v;
    }
    QVariant scalar(const QString& sql) { return exec({sql}); }

    QString dbFile;
};
