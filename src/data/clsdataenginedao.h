#pragma once
// The data engine wrapper: a work space, one open database and the record
// sets opened by table name. Every operation follows the error convention.
#include <QMap>
#include <QString>
#include <memory>

namespace dao {
class Workspace;
class Database;
} // namespace dao
class clsRecordset;

class clsDataEngineDAO {
public:
    clsDataEngineDAO();
    ~clsDataEngineDAO();
    clsDataEngineDAO(const clsDataEngineDAO&) = delete;
    clsDataEngineDAO& operator=(const clsDataEngineDAO&) = delete;

    std::shared_ptr<dao::Workspace> Workspace() const { return mWorkspace; }
    std::shared_ptr<dao::Database> Database() const { return mDatabase; }
    // The record set opened under that name; an unknown name is reported and
    // gives none.
    std::shared_ptr<clsRecordset> Recordset(const QString& name);

    // Opens a database file, replacing the one open before; always 0.
    int OpenDatabase(const QString& name);
    // A record set over a table, kept under its name. None without an open
    // database (not reported); a name already opened is reported and gives none.
    std::shared_ptr<clsRecordset> OpenRecordset(const QString& name);
    // A record set of its own over an SQL query (not kept); none without an
    // open database.
    std::shared_ptr<clsRecordset> CreateQueryRecordset(const QString& sql);

private:
    std::shared_ptr<dao::Workspace> mWorkspace;
    std::shared_ptr<dao::Database> mDatabase;
    // Keyed like the platform's collections: letter case does not matter.
    QMap<QString, std::shared_ptr<clsRecordset>> mRecordsets;
};
