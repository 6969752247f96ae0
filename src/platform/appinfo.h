#pragma once
#include <string>

namespace platform {

// What the framework reads from the program's version information (UTF-8).
struct AppInfo {
    std::string title;
    std::string companyName;
    std::string productName;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

const AppInfo& App();

// Folder of the running executable, without a trailing separator; the
// current folder where the system cannot tell.
std::string AppPath();
// The executable's real folder, or "" where the system cannot tell.
std::string ProgramFolder();
// Tests point the program folder somewhere private; an empty text restores the real one.
void setAppPathOverride(std::string path);

// True where paths carry drive letters and "\" separators.
constexpr bool hasDriveLetters()
{
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

} // namespace platform
