#include "cli/output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace cli {

#ifdef _WIN32
int SystemErrno(unsigned long error)
{
    switch (error) {
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA: return EPIPE; // the pipe's reader has gone
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_INVALID_HANDLE: return EBADF;
    default: return EIO;
    }
}

// Straight to the system: the C runtime's write would turn a closed pipe
// into EINVAL and a console's text into its code page.
int WriteAll(int fd, std::string_view bytes)
{
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE)
        return EBADF;
    while (!bytes.empty()) {
        DWORD n = 0;
        if (!WriteFile(h, bytes.data(), DWORD(std::min<size_t>(bytes.size(), 1 << 20)), &n, nullptr))
            return SystemErrno(GetLastError());
        if (n == 0)
            return EIO;
        bytes.remove_prefix(n);
    }
    return 0;
}
#else
int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A non-blocking pipe that a slow reader has filled: wait until
            // it takes more rather than lose the rest.
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, -1) < 0 && errno != EINTR)
                return errno;
            continue;
        }
        if (n <= 0)
            return n < 0 ? errno : EIO;
        bytes.remove_prefix(size_t(n));
    }
    return 0;
}
#endif

void Output::flush()
{
    if (failed_ || buffer_.size() == 0) {
        buffer_.clear();
        return;
    }
    const int error = WriteAll(env_.out, buffer_.view());
    buffer_.clear();
    if (error == 0)
        return;
    failed_ = true;
    if (error == EPIPE) {
        status_ = kExitBrokenPipe;
    } else {
        status_ = kExitFailure;
        problem(std::string("cannot write to standard output: ") + std::strerror(error));
    }
}

void Output::problem(const std::string& line)
{
    WriteAll(env_.err, "quillmark: " + line + '\n');
}

int Output::finish(int status)
{
    flush();
    return failed_ ? status_ : status;
}

} // namespace cli
