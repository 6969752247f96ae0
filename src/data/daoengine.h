#pragma once
// The database engine under the data wrappers: work spaces, databases and
// record sets over SQLite files. Failures raise platform run-time errors with
// the engine's numbers (dao::err).
#include <QString>
#include <memory>

namespace dao {

namespace err {
constexpr long InvalidArgument = 3001;
constexpr long NoCurrentRecord = 3021;
constexpr long DuplicateValues = 3022;
constexpr long FileNotFound = 3024;
constexpr long ReadOnly = 3027;
constexpr long UpdateWithoutEdit = 3020;
constexpr long TableNotFound = 3078;
constexpr long UpdateFailed = 3146;
constexpr long RecordDeleted = 3167;
constexpr long DriverMissing = 3170;
constexpr long InvalidOperation = 3219;
constexpr long ItemNotFound = 3265;
constexpr long FieldNotNull = 3314;
constexpr long UnrecognizedFormat = 3343;
} // namespace err

class Recordset;

// One named database connection; closed and removed when the last holder
// (the database or a record set opened on it) lets go.
class Connection {
public:
    explicit Connection(const QString& file);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    const QString& name() const { return name_; }
    const QString& file() const { return file_; }

private:
    QString name_;
    QString file_;
};

class Database {
public:
    explicit Database(const QString& file);
    QString Name() const { return connection_->file(); }
    // A record set over the table of that name (letter case ignored);
    // an unknown name raises ItemNotFound.
    std::shared_ptr<Recordset> OpenTable(const QString& table);
    // A read-only record set over the result of a query; any other statement,
    // or one that would write, raises InvalidOperation and changes nothing.
    std::shared_ptr<Recordset> OpenQuery(const QString& sql);

private:
    std::shared_ptr<Connection> connection_;
};

class Workspace {
public:
    Workspace(QString name, QString user, QString password);
    const QString& Name() const { return name_; }
    const QString& UserName() const { return user_; }
    // Opens an existing database file (a missing file is not created).
    std::shared_ptr<Database> OpenDatabase(const QString& file);

private:
    QString name_;
    QString user_;
    QString password_;
};

// The program's own engine instance, created on first use.
class Engine {
public:
    static Engine& instance();
    std::shared_ptr<Workspace> CreateWorkspace(const QString& name, const QString& user, const QString& password);

private:
    Engine() = default;
};

} // namespace dao
