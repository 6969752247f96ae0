#include "cli/lines.h"

#include "cli/output.h"
#include "model/shown.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace cli {

void LineSplitter::endLine()
{
    ++number_;
    if (tooLong_) {
        handler_(number_, {}, true);
    } else {
        std::string_view text = Trimmed(line_);
        // A byte-order mark, as Windows editors start a UTF-8 file with.
        if (number_ == 1 && text.substr(0, 3) == "\xEF\xBB\xBF")
            text = Trimmed(text.substr(3));
        // A list's line may end in a comment: a blank, "#", and any text.
        if (!everyLine_)
            if (const size_t hash = text.find('#'); hash != std::string_view::npos && hash > 0 &&
                                                    (text[hash - 1] == ' ' || text[hash - 1] == '\t'))
                text = Trimmed(text.substr(0, hash));
        if (everyLine_ || (!text.empty() && text.front() != '#'))
            handler_(number_, text, false);
    }
    line_.clear();
    tooLong_ = false;
}

void LineSplitter::feed(std::string_view rest)
{
    for (size_t nl; (nl = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(nl + 1)) {
        if (!tooLong_ && line_.size() + nl <= kMaxLine)
            line_.append(rest.data(), nl);
        else
            tooLong_ = true;
        endLine();
    }
    if (!tooLong_ && line_.size() + rest.size() <= kMaxLine)
        line_.append(rest);
    else
        tooLong_ = true;
}

void LineSplitter::finish()
{
    if (!line_.empty() || tooLong_)
        endLine();
}

#ifdef _WIN32
int ReadLines(int fd, const LineHandler& handler, const std::function<bool()>& stop, bool everyLine)
{
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE)
        return EBADF;
    DWORD mode = 0;
    const bool console = GetConsoleMode(h, &mode) != 0;
    LineSplitter lines(handler, everyLine);
    char chunk[1 << 16];
    while (!stop()) {
        DWORD n = 0;
        if (!ReadFile(h, chunk, sizeof chunk, &n, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF)
                break; // the writer has closed its end
            return SystemErrno(error);
        }
        if (n == 0)
            break;
        std::string_view text(chunk, n);
        // Typed at a console, Ctrl+Z ends the input.
        if (const size_t end = text.find('\x1a'); console && end != std::string_view::npos) {
            lines.feed(text.substr(0, end));
            break;
        }
        lines.feed(text);
    }
    if (stop())
        return 0;
    lines.finish();
    return 0;
}
#else
int ReadLines(int fd, const LineHandler& handler, const std::function<bool()>& stop, bool everyLine)
{
    LineSplitter lines(handler, everyLine);
    char chunk[1 << 16];
    for (;;) {
        if (stop())
            return 0;
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, -1) < 0 && errno != EINTR)
                return errno;
            continue;
        }
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        lines.feed(std::string_view(chunk, size_t(n)));
    }
    lines.finish();
    return 0;
}
#endif

} // namespace cli
