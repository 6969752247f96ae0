#include "data/daoengine.h"

#include "data/daorecordset.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

using platform::Raise;

namespace dao {

namespace {
const QString Driver = QStringLiteral("QSQLITE");

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("quillmark-dao-%1").arg(++counter);
}
} // namespace

Connection::Connection(const QString& file) : name_(nextConnectionName()), file_(file)
{
    if (!QSqlDatabase::isDriverAvailable(Driver))
        Raise(err::DriverMissing, QStringLiteral("The SQLite database driver is not installed."));
    // The engine never creates a database by opening it.
    if (!QFileInfo(file).isFile())
        Raise(err::FileNotFound, QStringLiteral("Could not find file '") + file + QStringLiteral("'."));
    bool ok = false;
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Driver, name_);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        ok = db.open();
        if (ok) {
            QSqlQuery probe(db);
            ok = probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            if (!ok)
                why = probe.lastError().text();
        } else {
            why = db.lastError().text();
        }
        if (!ok)
            db.close();
    }
    if (!ok) {
        QSqlDatabase::removeDatabase(name_);
        Raise(err::UnrecognizedFormat, QStringLiteral("Unrecognized database format '") + file + QStringLiteral("'.") +
                                           (why.isEmpty() ? QString() : QLatin1Char(' ') + why));
    }
}

Connection::~Connection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

Database::Database(const QString& file) : connection_(std::make_shared<Connection>(file)) {}

std::shared_ptr<Recordset> Database::OpenTable(const QString& table)
{
    return Recordset::openTable(connection_, table);
}

std::shared_ptr<Recordset> Database::OpenQuery(const QString& sql)
{
    return Recordset::openQuery(connection_, sql);
}

Workspace::Workspace(QString name, QString user, QString password)
    : name_(std::move(name)), user_(std::move(user)), password_(std::move(password))
{
}

std::shared_ptr<Database> Workspace::OpenDatabase(const QString& file)
{
    return std::make_shared<Database>(file);
}

Engine& Engine::instance()
{
    static Engine engine;
    return engine;
}

std::shared_ptr<Workspace> Engine::CreateWorkspace(const QString& name, const QString& user, const QString& password)
{
    return std::make_shared<Workspace>(name, user, password);
}

} // namespace dao
