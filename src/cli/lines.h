#pragma once
// Standard input as lines, for the verbs that read their list from it: each
// line trimmed, blank lines and lines starting with "#" skipped, a comment
// after a blank and "#" cut off, a line too long to be input refused without
// keeping it.
#include <functional>
#include <string>
#include <string_view>

namespace cli {

// Longest input line read whole.
constexpr size_t kMaxLine = 4096;

// Called with the line's number (from 1) and its trimmed text, or with
// tooLong set and no text.
using LineHandler = std::function<void(long number, std::string_view text, bool tooLong)>;

// Turns chunks of input into lines. With `everyLine`, blank lines and lines
// starting with "#" are passed on too: a question's answer is every line.
class LineSplitter {
public:
    explicit LineSplitter(LineHandler handler, bool everyLine = false)
        : handler_(std::move(handler)), everyLine_(everyLine)
    {
    }
    void feed(std::string_view chunk);
    // The last line, when the input does not end with a newline.
    void finish();

private:
    void endLine();

    LineHandler handler_;
    std::string line_;
    bool everyLine_;
    bool tooLong_ = false;
    long number_ = 0;
};

// Reads `fd` to its end through a LineSplitter, waiting for a non-blocking
// descriptor; stops early when `stop` says so. 0, or the errno of a failed
// read.
int ReadLines(int fd, const LineHandler& handler, const std::function<bool()>& stop, bool everyLine = false);

} // namespace cli
