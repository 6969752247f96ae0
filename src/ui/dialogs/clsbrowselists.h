#pragma once
// The state behind the browse dialog's drive, folder, file and type lists,
// kept apart from the widgets so that the coupling runs without a display.
// Paths are held with "/" separators; the dialog shows native ones.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One entry of the file-type list: what the list shows and the wildcards it
// applies ("*.exe;*.com").
struct FileType {
    QString description;
    QString pattern;
};

// Description|pattern pairs of a pattern string, in order; a description
// without a pattern after it is dropped.
std::vector<FileType> parsePatternPairs(const QString& patternString);

// A drive of the drive list: a drive letter's root where there are drive
// letters, otherwise the root of the file system or of a mounted volume.
struct BrowseDrive {
    QString root;  // "/", "/media/usb", "C:/"
    QString label; // what the list shows
    bool ready = true;
};

class clsBrowseLists {
public:
    // Starts on the process's current drive and folder, showing all files.
    clsBrowseLists();

    // The drives of this system; tests replace the source.
    using DriveProvider = std::function<std::vector<BrowseDrive>()>;
    static std::vector<BrowseDrive> systemDrives();
    static DriveProvider setDriveProvider(DriveProvider provider);

    const std::vector<BrowseDrive>& drives() const { return drives_; }
    QString drive() const { return drive_; }
    int driveIndex() const;
    // The drive holding a folder: the longest drive root it lies under.
    QString driveOf(const QString& folder) const;
    // Opens the drive's root folder. Raises 68 (device unavailable) for a
    // drive that is not ready or cannot be read, 76 for one that is gone; the
    // lists stay as they were.
    void setDrive(const QString& root);

    QString folder() const { return folder_; }
    // Shows the folder's files and forgets the file selection; also moves the
    // drive to the folder's drive. Raises 76 when the folder does not exist.
    void setFolder(const QString& path);
    // Subfolders of a folder (hidden ones left out), sorted without regard to case.
    static QStringList subfolders(const QString& path);

    QString pattern() const { return pattern_; }
    // Applies a wildcard list; selected files that still match stay selected.
    void setPattern(const QString& pattern);

    const QStringList& files() const { return files_; }
    // Files of a folder matching a wildcard list, case-insensitive as on the
    // systems the patterns come from ("*.*" matches names without a dot too).
    static QStringList matchingFiles(const QString& folder, const QString& pattern);

    // The file selection: indexes into files(), and the entry with the focus.
    const std::vector<int>& selected() const { return selected_; }
    int current() const { return current_; }
    void setSelection(std::vector<int> rows, int current);
    // Selects exactly the files whose name equals name, ignoring case.
    void selectNamed(const QString& name);
    // The chosen file: the focused entry when selected, else the first selected one.
    QString chosenFile() const;

    // The folder with a trailing separator followed by the chosen file name.
    QString result() const;

    // "/" separators, no trailing separator except on a root.
    static QString normalised(const QString& path);

private:
    void ensureDriveListed(const QString& root);
    void reloadFiles(bool keepSelection);

    std::vector<BrowseDrive> drives_;
    QString drive_;
    QString folder_;
    QString pattern_ = QStringLiteral("*");
    QStringList files_;
    std::vector<int> selected_;
    int current_ = -1;
};
