#include "data/clsdataenginedao.h"

#include "data/clsrecordset.h"
#include "data/daoengine.h"
#include "data/daorecordset.h"
#include "errors/procedure.h"
#include "platform/runtimeerror.h"

using errors::Function;
using errors::Procedure;
using platform::Raise;

namespace {
QString collectionKey(const QString& name)
{
    return name.toLower();
}
} // namespace

clsDataEngineDAO::clsDataEngineDAO()
{
    Procedure("clsDataEngineDAO.Class_Initialize()", [&] {
        mWorkspace =
            dao::Engine::instance().CreateWorkspace(QStringLiteral("Workspace"), QStringLiteral("Admin"), QString());
        mRecordsets.clear();
    });
}

clsDataEngineDAO::~clsDataEngineDAO()
{
    Procedure("clsDataEngineDAO.Class_Terminate()", [&] {
        mRecordsets.clear();
        mWorkspace.reset();
    });
}

std::shared_ptr<clsRecordset> clsDataEngineDAO::Recordset(const QString& name)
{
    return Function<std::shared_ptr<clsRecordset>>("clsDataEngineDAO.Recordset() [Get]", [&](auto& r) {
        const auto it = mRecordsets.constFind(collectionKey(name));
        if (it == mRecordsets.constEnd())
            Raise(platform::errnum::InvalidProcedureCall);
        r = *it;
    });
}

int clsDataEngineDAO::OpenDatabase(const QString& name)
{
    return Function<int>("clsDataEngineDAO.OpenDatabase()", [&](int& r) {
        if (!mWorkspace)
            Raise(platform::errnum::ObjectRequired);
        mDatabase = mWorkspace->OpenDatabase(name);
        r = 0;
    });
}

std::shared_ptr<clsRecordset> clsDataEngineDAO::OpenRecordset(const QString& name)
{
    return Function<std::shared_ptr<clsRecordset>>("clsDataEngineDAO.OpenRecordset()", [&](auto& r) {
        if (!mDatabase)
            return;
        auto rs = std::make_shared<clsRecordset>();
        rs->Recordset(mDatabase->OpenTable(name));
        const QString key = collectionKey(name);
        if (mRecordsets.contains(key))
            Raise(platform::errnum::DuplicateKey);
        mRecordsets.insert(key, rs);
        r = mRecordsets.value(key);
    });
}

std::shared_ptr<clsRecordset> clsDataEngineDAO::CreateQueryRecordset(const QString& sql)
{
    return Function<std::shared_ptr<clsRecordset>>("clsDataEngineDAO.CreateQueryRecordset()", [&](auto& r) {
        if (!mDatabase)
            return;
        auto rs = std::make_shared<clsRecordset>();
        rs->Recordset(mDatabase->OpenQuery(sql));
        r = rs;
    });
}
