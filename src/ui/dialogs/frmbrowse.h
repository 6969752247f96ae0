#pragma once
// The framework's file and folder picker.
#include "platform/gui/formbase.h"
#include "ui/dialogs/clsbrowselists.h"

#include <QHash>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The pattern the dialog offers when the caller gives none.
QString browseDefaultPattern();

// Opens the dialog at a file or folder and returns the chosen path: the
// folder with a trailing separator, followed by the chosen file name in file
// mode; "" when cancelled.
QString utBrowse(const QString& Path, const QString& Pattern = browseDefaultPattern(), bool BrowseFolderOnly = false,
                 const std::optional<QString>& Title = std::nullopt);

class frmBrowse : public platform::FormBase {
    Q_OBJECT
public:
    frmBrowse();

    bool Cancelled = false;
    // File pattern of each type entry, keyed "k" + the entry's index.
    QHash<QString, QString> PatternList;

    void ParsePatternString(const QString& pattern);
    // Opens a folder as the drive list and the folder list would.
    void OpenFolder(const QString& folder);
    void SelectFileNamed(const QString& name);
    void SetFolderOnly(bool folderOnly);
    bool FolderOnly() const { return folderOnly_; }
    // What OK gives: the folder, a separator and, in file mode, the chosen file.
    QString Result() const;
    const clsBrowseLists& Lists() const { return lists_; }

    void driveBr_Change();
    void dirBr_Change();
    void comboFileTypes_Click();
    void fileBr_DblClick();
    void cmdDone_Click();
    void cmdCancel_Click();

protected:
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showDrive();
    void showFolder();
    void showFiles();
    void loadChildren(QTreeWidgetItem* item);
    void fileSelectionChanged();

    clsBrowseLists lists_;
    bool folderOnly_ = false;
    bool filling_ = false;

    QLabel* lblInfo[4];
    QListWidget* fileBr;
    QTreeWidget* dirBr;
    QComboBox* driveBr;
    QComboBox* comboFileTypes;
    QPushButton* cmdCancel;
    QPushButton* cmdDone;
};
