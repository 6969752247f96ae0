#pragma once
// Files the program writes for the user alone (error report, trace log):
// never through a symbolic link, never into a file of another user or kind,
// created readable by the user only.
#include <string>
#include <string_view>

namespace platform {

enum class FileStatus {
    Ok,
    PathNotFound, // a folder on the way is missing
    Refused,      // a link, something other than a regular file, or another user's file
    Failed,       // no permission, disk full and the like
};

// Replaces the file's content: the bytes go to a new private file in the same
// folder, which then takes the file's place, so a failure leaves the old file
// as it was and never a half-written one. Needs a writable folder.
FileStatus replaceFile(const std::string& path, std::string_view bytes);

// Removes the file, or a link without following it, when it belongs to the
// user; another user's file stays.
FileStatus removeOwnFile(const std::string& path);

// The user's folder for this program's state ($XDG_STATE_HOME/quillmark,
// ~/.local/state/quillmark; %LOCALAPPDATA%\Quillmark on Windows), created
// private when missing if asked to; "" when there is none to be had.
std::string userStateFolder(bool create = true);

// "/" or "\" as paths are written on this system.
char pathSeparator();

// A file written from empty, unbuffered, one record at a time (the trace log).
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Creates the file (0600), or empties the user's own regular file.
    FileStatus openEmpty(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    // Writes both texts back to back; false when not all bytes were written.
    bool append(std::string_view text, std::string_view end);
    void close();

private:
    int fd_ = -1;
#ifdef _WIN32
    void* file_ = nullptr;
#endif
};

} // namespace platform
