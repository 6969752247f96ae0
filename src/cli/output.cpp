#include "cli/output.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace cli {

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
