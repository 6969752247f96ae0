#include "ui/dialogs/clsbrowselists.h"

#include "platform/appinfo.h"
#include "platform/runtimeerror.h"
#include "util/modutils.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace {
clsBrowseLists::DriveProvider& driveProvider()
{
    static clsBrowseLists::DriveProvider provider;
    return provider;
}

Qt::CaseSensitivity pathCase()
{
    return platform::hasDriveLetters() ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

bool liesUnder(const QString& folder, const QString& root)
{
    if (folder.compare(root, pathCase()) == 0)
        return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return folder.startsWith(prefix, pathCase());
}

QString labelFor(const QStorageInfo& volume)
{
    QString root = QDir::toNativeSeparators(volume.rootPath());
    if (platform::hasDriveLetters())
        root = root.left(2).toLower(); // "c:" as drive lists show it
    const QString name = volume.name();
    return name.isEmpty() ? root : root + QStringLiteral(" [") + name + QLatin1Char(']');
}
} // namespace

std::vector<FileType> parsePatternPairs(const QString& patternString)
{
    std::vector<FileType> pairs;
    QString rest = patternString + QLatin1Char('|');
    for (;;) {
        int bar = rest.indexOf(QLatin1Char('|'));
        if (bar < 0)
            break;
        const QString description = rest.left(bar);
        rest = rest.mid(bar + 1);
        bar = rest.indexOf(QLatin1Char('|'));
        if (bar < 0)
            break;
        pairs.push_back({description, rest.left(bar)});
        rest = rest.mid(bar + 1);
    }
    return pairs;
}

clsBrowseLists::clsBrowseLists() : drives_(driveProvider() ? driveProvider()() : systemDrives())
{
    folder_ = normalised(QDir::currentPath());
    drive_ = driveOf(folder_);
    ensureDriveListed(drive_);
    reloadFiles(false);
}

std::vector<BrowseDrive> clsBrowseLists::systemDrives()
{
    std::vector<BrowseDrive> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid())
            continue;
        const QString root = normalised(volume.rootPath());
        const bool known = std::any_of(drives.begin(), drives.end(),
                                       [&](const BrowseDrive& d) { return d.root.compare(root, pathCase()) == 0; });
        if (!known)
            drives.push_back({root, labelFor(volume), volume.isReady()});
    }
    // The file system's root first, the rest by path.
    std::sort(drives.begin(), drives.end(), [](const BrowseDrive& a, const BrowseDrive& b) {
        if ((a.root == QLatin1String("/")) != (b.root == QLatin1String("/")))
            return a.root == QLatin1String("/");
        return a.root.compare(b.root, Qt::CaseInsensitive) < 0;
    });
    return drives;
}

clsBrowseLists::DriveProvider clsBrowseLists::setDriveProvider(DriveProvider provider)
{
    DriveProvider old = std::move(driveProvider());
    driveProvider() = std::move(provider);
    return old;
}

int clsBrowseLists::driveIndex() const
{
    for (size_t i = 0; i < drives_.size(); ++i)
        if (drives_[i].root.compare(drive_, pathCase()) == 0)
            return int(i);
    return -1;
}

QString clsBrowseLists::driveOf(const QString& folder) const
{
    const QString path = normalised(folder);
    QString best;
    for (const BrowseDrive& d : drives_)
        if (d.root.size() > best.size() && liesUnder(path, d.root))
            best = d.root;
    return best.isEmpty() ? normalised(QStorageInfo(path).rootPath()) : best;
}

void clsBrowseLists::setDrive(const QString& root)
{
    const QString r = normalised(root);
    auto it = std::find_if(drives_.begin(), drives_.end(),
                           [&](const BrowseDrive& d) { return d.root.compare(r, pathCase()) == 0; });
    if (it != drives_.end() && !it->ready)
        platform::Raise(platform::errnum::DeviceUnavailable);
    const QFileInfo info(r);
    if (!info.isDir())
        platform::Raise(platform::errnum::PathNotFound);
    if (!info.isReadable() || !info.isExecutable())
        platform::Raise(platform::errnum::DeviceUnavailable);
    setFolder(r);
}

void clsBrowseLists::setFolder(const QString& path)
{
    const QString p = normalised(path);
    if (p.isEmpty() || !QFileInfo(p).isDir())
        platform::Raise(platform::errnum::PathNotFound);
    folder_ = p;
    drive_ = driveOf(p);
    ensureDriveListed(drive_);
    reloadFiles(false);
}

QStringList clsBrowseLists::subfolders(const QString& path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void clsBrowseLists::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    reloadFiles(true);
}

QStringList clsBrowseLists::matchingFiles(const QString& folder, const QString& pattern)
{
    QStringList filters;
    for (const QString& part : pattern.split(QLatin1Char(';'))) {
        const QString p = part.trimmed();
        if (p == QLatin1String("*.*"))
            filters << QStringLiteral("*");
        else if (!p.isEmpty())
            filters << p;
    }
    if (filters.isEmpty())
        filters << QStringLiteral("*");
    // Without QDir::CaseSensitive the wildcards ignore letter case.
    return QDir(folder).entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

void clsBrowseLists::setSelection(std::vector<int> rows, int current)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= files_.size(); }),
               rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    selected_ = std::move(rows);
    current_ = current >= 0 && current < files_.size() ? current : -1;
}

void clsBrowseLists::selectNamed(const QString& name)
{
    std::vector<int> rows;
    for (int i = 0; i < files_.size(); ++i)
        if (files_[i].compare(name, Qt::CaseInsensitive) == 0)
            rows.push_back(i);
    setSelection(rows, rows.empty() ? current_ : rows.front());
}

QString clsBrowseLists::chosenFile() const
{
    if (current_ >= 0 && std::find(selected_.begin(), selected_.end(), current_) != selected_.end())
        return files_[current_];
    return selected_.empty() ? QString() : files_[selected_.front()];
}

QString clsBrowseLists::result() const
{
    return utPathBackslashAdd(QDir::toNativeSeparators(folder_)) + chosenFile();
}

QString clsBrowseLists::normalised(const QString& path)
{
    if (path.isEmpty())
        return QString();
    QString p = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (platform::hasDriveLetters() && p.size() == 2 && p.at(1) == QLatin1Char(':'))
        p += QLatin1Char('/');
    return p;
}

void clsBrowseLists::ensureDriveListed(const QString& root)
{
    if (root.isEmpty() || driveIndex() >= 0)
        return;
    const QStorageInfo volume(root);
    drives_.push_back({root, volume.isValid() ? labelFor(volume) : QDir::toNativeSeparators(root), true});
}

void clsBrowseLists::reloadFiles(bool keepSelection)
{
    QStringList kept;
    QString focused;
    if (keepSelection) {
        for (int r : selected_)
            kept << files_[r];
        if (current_ >= 0)
            focused = files_[current_];
    }
    files_ = matchingFiles(folder_, pattern_);
    std::vector<int> rows;
    int current = -1;
    for (int i = 0; i < files_.size(); ++i) {
        if (kept.contains(files_[i]))
            rows.push_back(i);
        if (files_[i] == focused)
            current = i;
    }
    setSelection(rows, current);
}
