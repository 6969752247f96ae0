#include "platform/privatefile.h"

#include "platform/appinfo.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace platform {

namespace {

#ifndef _WIN32
FileStatus statusOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return FileStatus::PathNotFound;
    case ELOOP: return FileStatus::Refused;
    default: return FileStatus::Failed;
    }
}

// What may be replaced or written: nothing yet, or the user's own regular file.
FileStatus checkEntry(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? FileStatus::Ok : statusOf(errno);
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return FileStatus::Refused;
    return FileStatus::Ok;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

// A folder of the user's own, created 0700 when missing; never a link.
bool ensurePrivateFolder(const std::string& folder, bool create)
{
    std::string partial;
    for (size_t pos = 1; create && pos != std::string::npos;) {
        pos = folder.find('/', pos + 1);
        partial = folder.substr(0, pos);
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

std::string lowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}
#endif

} // namespace

char pathSeparator()
{
    return hasDriveLetters() ? '\\' : '/';
}

#ifndef _WIN32

FileStatus replaceFile(const std::string& path, std::string_view bytes)
{
    if (const FileStatus s = checkEntry(path); s != FileStatus::Ok)
        return s;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    std::string temp = folder + (slash == std::string::npos ? "/." : ".") +
                       (slash == std::string::npos ? path : path.substr(slash + 1)) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data()); // O_EXCL, mode 0600
    if (fd < 0)
        return statusOf(errno);
    const bool written = ::fchmod(fd, 0600) == 0 && writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return FileStatus::Failed;
    }
    return FileStatus::Ok;
}

FileStatus removeOwnFile(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return statusOf(errno);
    if (S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return FileStatus::Refused;
    return ::unlink(path.c_str()) == 0 ? FileStatus::Ok : statusOf(errno);
}

std::string userStateFolder(bool create)
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') {
            const passwd* pw = ::getpwuid(::geteuid());
            home = pw ? pw->pw_dir : nullptr;
        }
        if (!home || home[0] != '/')
            return {};
        base = std::string(home) + "/.local/state";
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::string folder = base + "/" + lowerAscii(App().title);
    return ensurePrivateFolder(folder, create) ? folder : std::string();
}

FileStatus AppendFile::openEmpty(const std::string& path)
{
    close();
    // Non-blocking: a planted pipe must not hang the program; it is refused below.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return statusOf(errno);
    struct stat st {};
    const bool own = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1;
    if (!own || ::ftruncate(fd, 0) != 0 || ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        return own ? FileStatus::Failed : FileStatus::Refused;
    }
    fd_ = fd;
    return FileStatus::Ok;
}

bool AppendFile::append(std::string_view text, std::string_view end)
{
    if (fd_ < 0)
        return false;
    // One write per record while the record is short, as it always is here.
    char buffer[512];
    if (text.size() + end.size() <= sizeof(buffer)) {
        text.copy(buffer, text.size());
        end.copy(buffer + text.size(), end.size());
        return writeAll(fd_, std::string_view(buffer, text.size() + end.size()));
    }
    return writeAll(fd_, text) && writeAll(fd_, end);
}

void AppendFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

#else // Windows: no owner check; links and other kinds of entry are still refused.

namespace {
FileStatus checkEntry(const fs::path& p)
{
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (ec && st.type() != fs::file_type::not_found)
        return FileStatus::Failed;
    if (st.type() == fs::file_type::not_found || st.type() == fs::file_type::regular)
        return fs::exists(p.parent_path(), ec) ? FileStatus::Ok : FileStatus::PathNotFound;
    return FileStatus::Refused;
}
} // namespace

FileStatus replaceFile(const std::string& path, std::string_view bytes)
{
    const fs::path p = fs::u8path(path);
    if (const FileStatus s = checkEntry(p); s != FileStatus::Ok)
        return s;
    fs::path temp = p;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return FileStatus::Failed;
        }
    }
    if (!MoveFileExW(temp.c_str(), p.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        std::error_code ec;
        fs::remove(temp, ec);
        return FileStatus::Failed;
    }
    return FileStatus::Ok;
}

FileStatus removeOwnFile(const std::string& path)
{
    std::error_code ec;
    const fs::path p = fs::u8path(path);
    if (fs::is_directory(fs::symlink_status(p, ec)))
        return FileStatus::Refused;
    return fs::remove(p, ec) ? FileStatus::Ok : FileStatus::PathNotFound;
}

std::string userStateFolder(bool create)
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local)
        return {};
    const fs::path folder = fs::path(local) / fs::u8path(App().title);
    std::error_code ec;
    if (create)
        fs::create_directories(folder, ec);
    return fs::is_directory(fs::symlink_status(folder, ec)) ? folder.u8string() : std::string();
}

FileStatus AppendFile::openEmpty(const std::string& path)
{
    close();
    const fs::path p = fs::u8path(path);
    if (const FileStatus s = checkEntry(p); s != FileStatus::Ok)
        return s;
    std::FILE* f = _wfopen(p.c_str(), L"wb");
    if (!f)
        return FileStatus::Failed;
    std::setvbuf(f, nullptr, _IONBF, 0);
    file_ = f;
    fd_ = 0;
    return FileStatus::Ok;
}

bool AppendFile::append(std::string_view text, std::string_view end)
{
    std::FILE* f = static_cast<std::FILE*>(file_);
    return f && std::fwrite(text.data(), 1, text.size(), f) == text.size() &&
           std::fwrite(end.data(), 1, end.size(), f) == end.size();
}

void AppendFile::close()
{
    if (file_)
        std::fclose(static_cast<std::FILE*>(file_));
    file_ = nullptr;
    fd_ = -1;
}

#endif

AppendFile::~AppendFile()
{
    close();
}

} // namespace platform
