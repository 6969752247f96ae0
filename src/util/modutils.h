#pragma once
// Shared routines of the framework ("ut" routines) that need no window.
#include <QDateTime>
#include <QString>

// Path ending in a separator: "\" where paths have drive letters, "/" elsewhere
// ("\" is accepted as an ending on every system).
QString utPathBackslashAdd(const QString& path);
QString utPathBackslashRemove(const QString& path);

// "1 day, 1 hour, 1 minute, 1 second"; "0 seconds" for 0, "-5 seconds" for -5.
QString utFormatSecondsAsNiceTime(int seconds);

// True when more whole seconds than Seconds have passed between Since and now
// (platform::Now()).
bool utPauseDiff(const QDateTime& since, int seconds);

// True when the path (after utExpandSystemFolders) names an existing file or
// folder; False for a blank path.
bool utFileOrFolderExists(const QString& path);

// Replaces "%WINDOWSDIR%", "%SYSTEMDIR%" and "%TEMPDIR%" (any letter case) by
// the system's folders, each without a trailing separator. Where there is no
// Windows folder, "%WINDOWSDIR%" is /usr and "%SYSTEMDIR%" is /usr/bin (or /bin).
QString utExpandSystemFolders(const QString& path);

// Position + Offset; an overflow is reported (error 6) and yields 0.
int utFormResize_AbsoluteLeft(int position, int offset);
