#pragma once
// What every verb of the terminal program writes through: standard output in
// big writes, one line a problem on standard error, and the exit statuses.
#include "util/textsink.h"

#include <string>
#include <string_view>

namespace cli {

// What a run needs from its surroundings: file descriptors (tests pass files
// and pipes of their own) and what the environment says about colour.
struct Environment {
    int in = 0;
    int out = 1;
    int err = 2;
    bool outIsTerminal = false;
    bool noColor = false;      // NO_COLOR is set
    bool dumbTerminal = false; // TERM=dumb
    std::string decimalPoint = ".";
    // The system's decimal separator replaces decimalPoint when a report
    // first needs it: loading the locale is a tenth of a short run's time,
    // and an IPv6 report writes no fraction.
    std::string (*systemDecimalPoint)() = nullptr;
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // output or input failed, or an internal error
constexpr int kExitBadInput = 2;
constexpr int kExitBrokenPipe = 141; // the reader went away, as if by SIGPIPE

// Writes all of `bytes` to `fd`, waiting for a non-blocking descriptor to take
// more; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes);

#ifdef _WIN32
// The errno that stands for a Windows error code of reading or writing.
int SystemErrno(unsigned long error);
#endif

// Standard output and error, with every failure told apart from success.
class Output {
public:
    explicit Output(const Environment& env) : env_(env) {}

    TextSink& buffer() { return buffer_; }
    bool failed() const { return failed_; }
    int failureStatus() const { return status_; }

    void flushIfFull()
    {
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void flush();
    // One line on standard error; a failure to write it cannot be told anyone.
    void problem(const std::string& line);
    // The run's status once everything is flushed: the output's failure if
    // any, else `status`.
    int finish(int status);

private:
    static constexpr size_t kFlushAt = size_t(1) << 16;

    const Environment& env_;
    TextSink buffer_;
    bool failed_ = false;
    int status_ = kExitOk;
};

} // namespace cli
