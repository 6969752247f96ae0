#include "util/modutils.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/runtimeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>

using errors::Function;

namespace {
QChar separator()
{
    return platform::hasDriveLetters() ? QLatin1Char('\\') : QLatin1Char('/');
}
bool endsInSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('\\')) || path.endsWith(separator());
}

QString plural(int n, const char* unit)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(unit) + (n == 1 ? QString() : QStringLiteral("s"));
}

QString windowsFolder()
{
#ifdef Q_OS_WIN
    const QString root = qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows"));
    return QDir::toNativeSeparators(root);
#else
    return QStringLiteral("/usr");
#endif
}

QString systemFolder()
{
#ifdef Q_OS_WIN
    return utPathBackslashAdd(windowsFolder()) + QStringLiteral("System32");
#else
    return QFileInfo(QStringLiteral("/usr/bin")).isDir() ? QStringLiteral("/usr/bin") : QStringLiteral("/bin");
#endif
}

QString tempFolder()
{
    return QDir::toNativeSeparators(QDir::tempPath());
}
} // namespace

QString utPathBackslashAdd(const QString& path)
{
    return Function<QString>("utPathBackslashAdd()",
                             [&](QString& r) { r = endsInSeparator(path) ? path : path + separator(); });
}

QString utPathBackslashRemove(const QString& path)
{
    return Function<QString>("utPathBackslashRemove()",
                             [&](QString& r) { r = endsInSeparator(path) ? path.left(path.size() - 1) : path; });
}

QString utFormatSecondsAsNiceTime(int seconds)
{
    return Function<QString>("utFormatSecondsAsNiceTime()", [&](QString& r) {
        const int days = seconds / 86400;
        int rest = seconds % 86400;
        const int hours = rest / 3600;
        rest %= 3600;
        const int minutes = rest / 60;
        const int secs = rest % 60;

        QString s;
        if (days >= 1)
            s = plural(days, "day") + QStringLiteral(", ");
        if (!s.isEmpty() || hours >= 1)
            s += plural(hours, "hour") + QStringLiteral(", ");
        if (!s.isEmpty() || minutes >= 1)
            s += plural(minutes, "minute") + QStringLiteral(", ");
        if (s.isEmpty() && secs < 1)
            r = QString::number(secs) + QStringLiteral(" seconds");
        else
            r = s + plural(secs, "second");
    });
}

bool utPauseDiff(const QDateTime& since, int seconds)
{
    return Function<bool>("utPauseDiff()", [&](bool& r) { r = since.secsTo(platform::Now()) > qint64(seconds); });
}

bool utFileOrFolderExists(const QString& path)
{
    return Function<bool>("utFileOrFolderExists()", [&](bool& r) {
        if (path.trimmed().isEmpty())
            return;
        const QString expanded = utExpandSystemFolders(path);
        // A file or folder of that name; a name that is neither is simply not
        // there (not found is not an error). Paths written with "\" are also
        // tried with "/" where that is the separator.
        r = QFileInfo::exists(expanded);
        if (!r && !platform::hasDriveLetters() && expanded.contains(QLatin1Char('\\')))
            r = QFileInfo::exists(QString(expanded).replace(QLatin1Char('\\'), QLatin1Char('/')));
    });
}

QString utExpandSystemFolders(const QString& path)
{
    return Function<QString>("utExpandSystemFolders()", [&](QString& r) {
        QString s = path;
        s.replace(QStringLiteral("%WINDOWSDIR%"), utPathBackslashRemove(windowsFolder()), Qt::CaseInsensitive);
        s.replace(QStringLiteral("%SYSTEMDIR%"), utPathBackslashRemove(systemFolder()), Qt::CaseInsensitive);
        s.replace(QStringLiteral("%TEMPDIR%"), utPathBackslashRemove(tempFolder()), Qt::CaseInsensitive);
        r = s;
    });
}

int utFormResize_AbsoluteLeft(int position, int offset)
{
    return Function<int>("utFormResize_AbsoluteLeft()", [&](int& r) {
        const qint64 sum = qint64(position) + qint64(offset);
        if (sum > std::numeric_limits<int>::max() || sum < std::numeric_limits<int>::min())
            platform::Raise(platform::errnum::Overflow);
        r = int(sum);
    });
}
