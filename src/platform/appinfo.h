#pragma once
#include <QString>

namespace platform {

// What the framework reads from the program's version information.
struct AppInfo {
    QString title;
    QString companyName;
    QString productName;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

const AppInfo& App();

// Folder of the running executable, without a trailing separator.
QString AppPath();
// Tests point the program folder somewhere private; an empty text restores the real one.
void setAppPathOverride(const QString& path);

// True where paths carry drive letters and "\" separators.
constexpr bool hasDriveLetters()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

} // namespace platform
