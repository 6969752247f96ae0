// A member of a set as the set verbs read it: a network or a range of
// either family. What reads is a proper range and reads back the same.
#include "cli/networkinput.h"
#include "model/dotted.h"
#include "model/ipv6text.h"

#include <cstdlib>

namespace {

template <int W> std::string addressText(typename net::Network<W>::Value v)
{
    if constexpr (W == 32)
        return dotted::ToString(v);
    else
        return ipv6text::ToString(v);
}

template <int W> void check(const cli::SetItem& item, const net::Span<W>& s)
{
    if (s.first > s.last)
        std::abort();
    std::string problem;
    const auto again = cli::ParseRange(addressText<W>(s.first), addressText<W>(s.last), problem);
    if (!again || again->ipv6 != item.ipv6 || !again->range)
        std::abort();
    if constexpr (W == 32) {
        if (!(again->span4 == s) || (!item.range && !(net::Span<32>::of(item.network4) == s)))
            std::abort();
    } else {
        if (!(again->span6 == s) || (!item.range && !(net::Span<128>::of(item.network6) == s)))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto item = cli::ParseSetItem(text, problem);
    if (item.has_value() == !problem.empty())
        std::abort();
    if (item && item->ipv6)
        check<128>(*item, item->span6);
    else if (item)
        check<32>(*item, item->span4);
    // The two-operand form: split where a blank is.
    const size_t blank = text.find(' ');
    if (blank != std::string_view::npos) {
        problem.clear();
        const auto range = cli::ParseRange(text.substr(0, blank), text.substr(blank + 1), problem);
        if (range.has_value() == !problem.empty() || (range && !range->range))
            std::abort();
    }
    return 0;
}
