#include "data/clsrecordset.h"

#include "data/daorecordset.h"
#include "errors/procedure.h"
#include "platform/runtimeerror.h"

using errors::Function;
using errors::Procedure;

dao::Recordset& clsRecordset::rs() const
{
    if (!mRecordset)
        platform::Raise(platform::errnum::ObjectRequired);
    return *mRecordset;
}

void clsRecordset::Recordset(std::shared_ptr<dao::Recordset> rs)
{
    Procedure("clsRecordset.Recordset() [Set]", [&] { mRecordset = std::move(rs); });
}

int clsRecordset::Populate()
{
    return Function<int>("clsRecordset.Populate()", [&](int& r) {
        dao::Recordset& set = rs();
        // An empty set has no last record to move to; its count is simply 0.
        if (set.IsEOF() && set.IsBOF())
            return;
        set.MoveLast(0);
        set.MoveFirst();
        r = set.RecordCount();
    });
}

QVariant clsRecordset::Fields(const QVariant& item, const QVariant& defaultValue)
{
    clsErrHandler& eh = gErrHandler();
    eh.CurrentOperation("Getting field '" + item.toString().toStdString() + "'");
    struct ClearOperation {
        clsErrHandler& eh;
        ~ClearOperation() { eh.CurrentOperation(std::string()); }
    } clear{eh};
    return Function<QVariant>("clsRecordset.Fields() [Get]", [&](QVariant& r) {
        const QVariant v = rs().FieldValue(item);
        if (!v.isNull())
            r = v;
        else if (defaultValue.isValid())
            r = defaultValue;
        else
            r = v;
    });
}

void clsRecordset::Fields(const QVariant& item, const QVariant& defaultValue, const QVariant& value)
{
    Procedure("clsRecordset.Fields() [Let]", [&] {
        const bool useDefault = defaultValue.isValid() && value.isNull();
        rs().SetFieldValue(item, useDefault ? defaultValue : value);
    });
}

void clsRecordset::Edit()
{
    Procedure("clsRecordset.Edit()", [&] { rs().Edit(); });
}

void clsRecordset::AddNew()
{
    Procedure("clsRecordset.AddNew()", [&] { rs().AddNew(); });
}

void clsRecordset::Update(int updateType, bool force)
{
    Procedure("clsRecordset.Update()", [&] { rs().Update(updateType, force); });
}

bool clsRecordset::IsEOF() const
{
    return Function<bool>("clsRecordset.EOF() [Get]", [&](bool& r) { r = rs().IsEOF(); });
}

void clsRecordset::MoveNext()
{
    Procedure("clsRecordset.MoveNext()", [&] { rs().MoveNext(); });
}

void clsRecordset::MovePrevious()
{
    Procedure("clsRecordset.MovePrevious()", [&] { rs().MovePrevious(); });
}

void clsRecordset::MoveFirst()
{
    Procedure("clsRecordset.MoveFirst()", [&] { rs().MoveFirst(); });
}

void clsRecordset::MoveLast()
{
    Procedure("clsRecordset.MoveLast()", [&] { rs().MoveLast(0); });
}

int clsRecordset::RecordCount()
{
    return Function<int>("clsRecordset.RecordCount() [Get]", [&](int& r) { r = rs().RecordCount(); });
}
