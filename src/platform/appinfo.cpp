#include "platform/appinfo.h"

#include "appinfo_config.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace {
std::string& pathOverride()
{
    static std::string p;
    return p;
}

std::string executableFolder()
{
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const std::filesystem::path exe(buffer);
#else
    // The kernel's link names the real file, also when the program was
    // started through a link of its own.
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
#endif
    return exe.parent_path().make_preferred().u8string();
}
} // namespace

std::string ProgramFolder()
{
    static const std::string real = executableFolder();
    return real;
}

const AppInfo& App()
{
    static const AppInfo info{QM_APP_TITLE, QM_APP_COMPANY, QM_APP_PRODUCT,
                              QM_APP_MAJOR, QM_APP_MINOR,   QM_APP_REVISION};
    return info;
}

std::string AppPath()
{
    if (!pathOverride().empty())
        return pathOverride();
    const std::string real = ProgramFolder();
    if (!real.empty())
        return real;
    std::error_code ec;
    return std::filesystem::current_path(ec).u8string();
}

void setAppPathOverride(std::string path)
{
    pathOverride() = std::move(path);
}

} // namespace platform
