#pragma once
// An engine record set: the rows of a table or query read when it opens,
// a current-record cursor, and an edit buffer that Update writes back.
// Table record sets can be changed; query record sets are read-only.
// It is also what the error handler accepts as a record-set destination.
#include "errors/clserrhandler.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace dao {

class Connection;

class Recordset : public ErrorLogRecordset {
public:
    static std::shared_ptr<Recordset> openTable(std::shared_ptr<Connection> connection, const QString& table);
    static std::shared_ptr<Recordset> openQuery(std::shared_ptr<Connection> connection, const QString& sql);

    bool IsEOF() override;
    bool IsBOF() const;
    void MoveFirst() override;
    void MoveLast(int options = 0);
    void MoveNext() override;
    void MovePrevious();
    // Records reached so far (all of them after MoveLast), as the engine counts.
    int RecordCount() override;

    // A field of the current record (or of the edit buffer while editing), by
    // name (letter case ignored) or by index from 0.
    QVariant FieldValue(const QVariant& item) const;
    void SetFieldValue(const QVariant& item, const QVariant& value);
    QStringList FieldNames() const { return fields_; }
    bool Updatable() const { return updatable_; }

    void Edit();
    void AddNew() override;
    void SetField(const std::string& name, const Value& value) override;
    void Update() override { Update(1, false); }
    // UpdateType 1 (a regular update) is the only kind; Force changes nothing
    // here because the record set holds no locks.
    void Update(int updateType, bool force);
    void CancelUpdate();
    void Delete() override;

private:
    struct Row {
        qint64 rowid = 0;
        std::vector<QVariant> values;
        bool deleted = false;
        bool reached = false;
    };
    enum class Mode { None, Edit, AddNew };

    Recordset(std::shared_ptr<Connection> connection, QString table, bool updatable);
    void load(const QString& sql);
    // The row id and the fields, quoted, for a table's SELECT.
    QString selectList() const;
    int fieldIndex(const QVariant& item) const;
    const Row& current() const;
    void land(int pos);
    int firstLive() const;
    int lastLive() const;
    bool hasLive() const;
    void requireUpdatable() const;
    void insertBuffer();
    void updateBuffer();
    Row readRow(qint64 rowid) const;

    std::shared_ptr<Connection> connection_;
    QString table_;  // a table may be called ""
    bool updatable_; // a table's record set, not a query's
    QString rowid_;  // the name the table's row id answers to
    QStringList fields_;
    std::vector<Row> rows_;
    int pos_ = 0; // -1 before the first record, rows_.size() after the last
    Mode mode_ = Mode::None;
    std::vector<QVariant> buffer_;
    std::vector<bool> changed_;
};

} // namespace dao
