#pragma once
// A record set with defaults for null fields and, while a field is read, a
// note in the error handler's CurrentOperation ("Getting field '<item>'").
// Every operation follows the error convention: a failure is reported and the
// operation returns its empty result.
#include <QVariant>
#include <memory>

namespace dao {
class Recordset;
}

class clsRecordset {
public:
    clsRecordset() = default;

    // The engine record set; it is also what the error handler takes as a
    // record-set destination (ErrorLogRecordsetRef).
    std::shared_ptr<dao::Recordset> Recordset() const { return mRecordset; }
    void Recordset(std::shared_ptr<dao::Recordset> rs);

    // Moves to the last and back to the first record, and returns the count of
    // every record (0 for an empty set).
    int Populate();

    // A null field reads as Default when one is given (a valid QVariant).
    QVariant Fields(const QVariant& item, const QVariant& defaultValue = QVariant());
    // Writes Value, or Default when one is given and Value is null.
    void Fields(const QVariant& item, const QVariant& defaultValue, const QVariant& value);

    void Edit();
    void AddNew();
    void Update(int updateType = 1, bool force = false);
    // (EOF is a macro of the C library, hence the name.)
    bool IsEOF() const;
    void MoveNext();
    void MovePrevious();
    void MoveFirst();
    void MoveLast();
    int RecordCount();

private:
    dao::Recordset& rs() const;

    std::shared_ptr<dao::Recordset> mRecordset;
};
