#include "data/daorecordset.h"

#include "data/daoengine.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

using platform::Raise;

namespace dao {

namespace {
QSqlDatabase databaseOf(const Connection& c)
{
    return QSqlDatabase::database(c.name(), false);
}

[[noreturn]] void raiseInvalidOperation()
{
    Raise(err::InvalidOperation, QStringLiteral("Invalid operation."));
}

// Every name the database can hold round-trips: double quotes around it, its
// own double quotes doubled. A NUL cannot be part of a name.
QString quoted(const QString& name)
{
    if (name.contains(QChar(0)))
        raiseInvalidOperation();
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The driver binds a null text as NULL; an empty name is still a name.
QString asText(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

// The first word of a statement, after blanks and comments, in upper case.
QString firstWord(const QString& sql)
{
    int i = 0;
    const int n = int(sql.size());
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\f')) {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            const int end = int(sql.indexOf(QLatin1Char('\n'), i));
            i = end < 0 ? n : end + 1;
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            const int end = int(sql.indexOf(QLatin1String("*/"), i + 2));
            i = end < 0 ? n : end + 2;
        } else {
            break;
        }
    }
    int j = i;
    while (j < n && (sql[j].isLetter() || sql[j] == QLatin1Char('_')))
        ++j;
    return sql.mid(i, j - i).toUpper();
}

// A read on the record-set path may not change anything: it runs with the
// connection refusing writes, inside a savepoint that is always rolled back.
class ReadOnlyScope {
public:
    explicit ReadOnlyScope(const QSqlDatabase& db) : db_(db)
    {
        if (!run(QStringLiteral("SAVEPOINT quillmark_read")))
            raiseInvalidOperation();
        if (!run(QStringLiteral("PRAGMA query_only = 1"))) {
            close();
            raiseInvalidOperation();
        }
    }
    ~ReadOnlyScope() { close(); }
    ReadOnlyScope(const ReadOnlyScope&) = delete;
    ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;

private:
    bool run(const QString& sql)
    {
        QSqlQuery q(db_);
        return q.exec(sql);
    }
    void close()
    {
        run(QStringLiteral("PRAGMA query_only = 0"));
        run(QStringLiteral("ROLLBACK TO quillmark_read"));
        run(QStringLiteral("RELEASE quillmark_read"));
    }
    QSqlDatabase db_;
};

// SQLite's answer to a write while writes are refused.
bool isWriteRefused(const QSqlError& e)
{
    return e.nativeErrorCode() == QLatin1String("8"); // SQLITE_READONLY
}

[[noreturn]] void raiseNoCurrent()
{
    Raise(err::NoCurrentRecord, QStringLiteral("No current record."));
}

[[noreturn]] void raiseUpdateFailed(const QSqlError& e)
{
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    if (text.contains(QLatin1String("UNIQUE constraint"), Qt::CaseInsensitive))
        Raise(err::DuplicateValues, QStringLiteral("The changes were not saved because they would create duplicate "
                                                   "values in the index or primary key. ") +
                                        text);
    if (text.contains(QLatin1String("NOT NULL constraint"), Qt::CaseInsensitive))
        Raise(err::FieldNotNull, QStringLiteral("A field cannot contain a Null value. ") + text);
    Raise(err::UpdateFailed, QStringLiteral("The record could not be saved. ") + text);
}

bool isIndex(const QVariant& v)
{
    switch (v.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double: return true;
    default: return false;
    }
}
} // namespace

Recordset::Recordset(std::shared_ptr<Connection> connection, QString table, bool updatable)
    : connection_(std::move(connection)), table_(std::move(table)), updatable_(updatable)
{
}

std::shared_ptr<Recordset> Recordset::openTable(std::shared_ptr<Connection> connection, const QString& table)
{
    quoted(table); // a name the database cannot hold is refused before the lookup
    QSqlDatabase db = databaseOf(*connection);
    QSqlQuery find(db);
    find.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    find.addBindValue(asText(table));
    if (!find.exec() || !find.next())
        Raise(err::ItemNotFound, QStringLiteral("Item not found in this collection."));
    const QString actual = find.value(0).toString();
    find.finish();

    std::shared_ptr<Recordset> rs(new Recordset(std::move(connection), actual, true));
    // The names as the schema holds them: a query's column names lose their
    // double quotes on the way through the driver.
    QSqlQuery columns(db);
    columns.prepare(QStringLiteral("SELECT name FROM pragma_table_xinfo(?) WHERE hidden <> 1 ORDER BY cid"));
    columns.addBindValue(asText(actual));
    if (!columns.exec())
        raiseInvalidOperation();
    while (columns.next())
        rs->fields_.append(columns.value(0).toString());
    columns.finish();
    // A column may be called rowid; the row id then answers to another of its names.
    for (const char* alias : {"rowid", "_rowid_", "oid"})
        if (!rs->fields_.contains(QLatin1String(alias), Qt::CaseInsensitive)) {
            rs->rowid_ = QLatin1String(alias);
            break;
        }
    if (rs->rowid_.isEmpty() || rs->fields_.isEmpty())
        raiseInvalidOperation();
    rs->load(QStringLiteral("SELECT ") + rs->selectList() + QStringLiteral(" FROM ") + quoted(actual));
    return rs;
}

std::shared_ptr<Recordset> Recordset::openQuery(std::shared_ptr<Connection> connection, const QString& sql)
{
    // Only a query reads; anything else (actions, ATTACH, PRAGMA, transaction
    // control) is refused before it runs. A write hidden behind WITH is
    // refused by the read itself.
    const QString word = firstWord(sql);
    if (word != QLatin1String("SELECT") && word != QLatin1String("WITH") && word != QLatin1String("VALUES"))
        raiseInvalidOperation();
    std::shared_ptr<Recordset> rs(new Recordset(std::move(connection), QString(), false));
    rs->load(sql);
    return rs;
}

QString Recordset::selectList() const
{
    QStringList cols{rowid_};
    for (const QString& f : fields_)
        cols << quoted(f);
    return cols.join(QStringLiteral(", "));
}

void Recordset::load(const QString& sql)
{
    QSqlDatabase db = databaseOf(*connection_);
    ReadOnlyScope readOnly(db);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        const QSqlError e = q.lastError();
        q.finish();
        if (isWriteRefused(e))
            raiseInvalidOperation();
        Raise(err::InvalidOperation, QStringLiteral("Invalid SQL statement. ") + e.text());
    }
    if (!q.isSelect()) {
        q.finish();
        raiseInvalidOperation();
    }
    const QSqlRecord rec = q.record();
    const int first = Updatable() ? 1 : 0; // tables carry the row id in column 0
    if (!Updatable())
        for (int i = 0; i < rec.count(); ++i)
            fields_.append(rec.fieldName(i));
    while (q.next()) {
        Row row;
        if (Updatable())
            row.rowid = q.value(0).toLongLong();
        row.values.reserve(size_t(fields_.size()));
        for (int i = first; i < rec.count(); ++i)
            row.values.push_back(q.value(i));
        rows_.push_back(std::move(row));
    }
    const QSqlError late = q.lastError();
    q.finish();
    // A write refused after the first row leaves the rows read so far; they are not the result.
    if (isWriteRefused(late))
        raiseInvalidOperation();
    land(firstLive());
}

bool Recordset::hasLive() const
{
    return firstLive() < int(rows_.size());
}

int Recordset::firstLive() const
{
    for (size_t i = 0; i < rows_.size(); ++i)
        if (!rows_[i].deleted)
            return int(i);
    return int(rows_.size());
}

int Recordset::lastLive() const
{
    for (size_t i = rows_.size(); i-- > 0;)
        if (!rows_[i].deleted)
            return int(i);
    return -1;
}

void Recordset::land(int pos)
{
    pos_ = pos;
    if (pos_ >= 0 && pos_ < int(rows_.size()))
        rows_[size_t(pos_)].reached = true;
}

bool Recordset::IsEOF()
{
    return !hasLive() || pos_ >= int(rows_.size());
}

bool Recordset::IsBOF() const
{
    return !hasLive() || pos_ < 0;
}

void Recordset::MoveFirst()
{
    if (!hasLive())
        raiseNoCurrent();
    mode_ = Mode::None;
    land(firstLive());
}

void Recordset::MoveLast(int)
{
    if (!hasLive())
        raiseNoCurrent();
    mode_ = Mode::None;
    for (Row& r : rows_)
        r.reached = true;
    land(lastLive());
}

void Recordset::MoveNext()
{
    // From a deleted record the move is still allowed: it leaves the hole.
    if (pos_ >= int(rows_.size()))
        raiseNoCurrent();
    mode_ = Mode::None;
    int p = pos_ + 1;
    while (p < int(rows_.size()) && rows_[size_t(p)].deleted)
        ++p;
    land(p);
}

void Recordset::MovePrevious()
{
    if (pos_ < 0 || rows_.empty())
        raiseNoCurrent();
    mode_ = Mode::None;
    int p = pos_ - 1;
    while (p >= 0 && rows_[size_t(p)].deleted)
        --p;
    land(p);
}

int Recordset::RecordCount()
{
    return int(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.reached && !r.deleted; }));
}

int Recordset::fieldIndex(const QVariant& item) const
{
    if (isIndex(item)) {
        const qint64 i = item.toLongLong();
        if (i >= 0 && i < fields_.size())
            return int(i);
    } else {
        const QString name = item.toString();
        for (int i = 0; i < fields_.size(); ++i)
            if (fields_[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
    }
    Raise(err::ItemNotFound, QStringLiteral("Item not found in this collection."));
}

const Recordset::Row& Recordset::current() const
{
    if (pos_ < 0 || pos_ >= int(rows_.size()))
        raiseNoCurrent();
    const Row& r = rows_[size_t(pos_)];
    if (r.deleted)
        Raise(err::RecordDeleted, QStringLiteral("Record is deleted."));
    return r;
}

QVariant Recordset::FieldValue(const QVariant& item) const
{
    const int i = fieldIndex(item);
    if (mode_ != Mode::None)
        return buffer_[size_t(i)];
    return current().values[size_t(i)];
}

// The error handler's row, converted to the engine's values.
void Recordset::SetField(const std::string& name, const Value& value)
{
    QVariant v;
    if (auto* text = std::get_if<std::string>(&value))
        v = QString::fromStdString(*text);
    else if (auto* number = std::get_if<std::int32_t>(&value))
        v = int(*number);
    else
        v = QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(
                std::get<std::chrono::system_clock::time_point>(value).time_since_epoch())
                .count());
    SetFieldValue(QString::fromStdString(name), v);
}

void Recordset::SetFieldValue(const QVariant& item, const QVariant& value)
{
    const int i = fieldIndex(item);
    if (mode_ == Mode::None)
        Raise(err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    buffer_[size_t(i)] = value;
    changed_[size_t(i)] = true;
}

void Recordset::requireUpdatable() const
{
    if (!Updatable())
        Raise(err::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));
}

void Recordset::Edit()
{
    requireUpdatable();
    buffer_ = current().values;
    changed_.assign(buffer_.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::AddNew()
{
    requireUpdatable();
    buffer_.assign(size_t(fields_.size()), QVariant());
    changed_.assign(buffer_.size(), false);
    mode_ = Mode::AddNew;
}

void Recordset::CancelUpdate()
{
    if (mode_ == Mode::None)
        Raise(err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    mode_ = Mode::None;
}

void Recordset::Update(int updateType, bool)
{
    if (updateType != 1)
        Raise(err::InvalidArgument, QStringLiteral("Invalid argument."));
    if (mode_ == Mode::None)
        Raise(err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    // On failure the edit stays open with its values, so nothing typed is
    // lost; the database keeps what it had.
    if (mode_ == Mode::AddNew)
        insertBuffer();
    else
        updateBuffer();
    mode_ = Mode::None;
}

Recordset::Row Recordset::readRow(qint64 rowid) const
{
    QSqlDatabase db = databaseOf(*connection_);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") + quoted(table_) +
              QStringLiteral(" WHERE ") + rowid_ + QStringLiteral(" = ?"));
    q.addBindValue(rowid);
    Row row;
    row.rowid = rowid;
    row.reached = true;
    if (q.exec() && q.next()) {
        for (int i = 1; i <= fields_.size(); ++i)
            row.values.push_back(q.value(i));
    } else {
        row.values = buffer_; // still saved; show what was written
    }
    return row;
}

void Recordset::insertBuffer()
{
    QSqlDatabase db = databaseOf(*connection_);
    QStringList cols, marks;
    for (int i = 0; i < fields_.size(); ++i)
        if (changed_[size_t(i)]) {
            cols << quoted(fields_[i]);
            marks << QStringLiteral("?");
        }
    QString sql = QStringLiteral("INSERT INTO ") + quoted(table_);
    sql += cols.isEmpty() ? QStringLiteral(" DEFAULT VALUES")
                          : QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                marks.join(QStringLiteral(", ")) + QStringLiteral(")");
    QSqlQuery q(db);
    q.prepare(sql);
    for (size_t i = 0; i < buffer_.size(); ++i)
        if (changed_[i])
            q.addBindValue(buffer_[i]);
    if (!q.exec())
        raiseUpdateFailed(q.lastError());
    const qint64 rowid = q.lastInsertId().toLongLong();
    q.finish();
    // The new record joins the end of the set; the current record stays
    // (past the end stays past the end).
    const bool pastEnd = pos_ >= int(rows_.size());
    rows_.push_back(readRow(rowid));
    if (pastEnd)
        pos_ = int(rows_.size());
}

void Recordset::updateBuffer()
{
    const Row& cur = current();
    QSqlDatabase db = databaseOf(*connection_);
    QStringList sets;
    for (int i = 0; i < fields_.size(); ++i)
        if (changed_[size_t(i)])
            sets << quoted(fields_[i]) + QStringLiteral(" = ?");
    if (sets.isEmpty())
        return;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE ") + quoted(table_) + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
              QStringLiteral(" WHERE ") + rowid_ + QStringLiteral(" = ?"));
    for (size_t i = 0; i < buffer_.size(); ++i)
        if (changed_[i])
            q.addBindValue(buffer_[i]);
    q.addBindValue(cur.rowid);
    if (!q.exec())
        raiseUpdateFailed(q.lastError());
    q.finish();
    rows_[size_t(pos_)] = readRow(cur.rowid);
}

void Recordset::Delete()
{
    requireUpdatable();
    const Row& cur = current();
    QSqlDatabase db = databaseOf(*connection_);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM ") + quoted(table_) + QStringLiteral(" WHERE ") + rowid_ +
              QStringLiteral(" = ?"));
    q.addBindValue(cur.rowid);
    if (!q.exec())
        raiseUpdateFailed(q.lastError());
    q.finish();
    // The deleted record stays current (without fields) until the next move.
    rows_[size_t(pos_)].deleted = true;
    mode_ = Mode::None;
}

} // namespace dao
