// Standard input's lines come out the same however the reads cut the input.
#include "cli/lines.h"

#include <cstdlib>
#include <vector>

namespace {

struct Line {
    long number;
    std::string text;
    bool tooLong;
    bool operator!=(const Line& o) const { return number != o.number || text != o.text || tooLong != o.tooLong; }
};

std::vector<Line> split(std::string_view text, size_t cut)
{
    std::vector<Line> lines;
    cli::LineSplitter splitter([&](long n, std::string_view t, bool tooLong) { lines.push_back({n, std::string(t), tooLong}); });
    while (!text.empty()) {
        const size_t take = std::min(text.size(), cut);
        splitter.feed(text.substr(0, take));
        text.remove_prefix(take);
    }
    splitter.finish();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // Short lines are rare in random bytes: the first byte makes the limit
    // count for, by repeating the rest that many times.
    std::string text;
    for (int k = 0; k <= data[0] % 8; ++k)
        text.append(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::vector<Line> whole = split(text, text.size() + 1);
    const std::vector<Line> cut = split(text, size_t(data[1]) + 1);
    if (whole.size() != cut.size())
        std::abort();
    for (size_t i = 0; i < whole.size(); ++i) {
        const Line& l = whole[i];
        if (l != cut[i] || l.text.size() > cli::kMaxLine || (l.tooLong && !l.text.empty()) ||
            (!l.tooLong && (l.text.empty() || l.text[0] == '#')) || (i > 0 && l.number <= whole[i - 1].number))
            std::abort();
    }
    return 0;
}
