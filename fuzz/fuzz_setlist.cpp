// A list of networks and ranges, one a line, gathered into a set: the
// blocks it gives are in order, apart, cover every member and nothing else,
// and are the fewest; the gaps in the summary are what the members miss.
#include "cli/lines.h"
#include "cli/networkinput.h"

#include <cstdlib>

namespace {

template <int W> void check(net::SpanSet<W>& set, const std::vector<net::Span<W>>& members)
{
    using Value = typename net::Network<W>::Value;
    const auto& spans = set.spans();
    for (size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first <= spans[i - 1].last || Value(spans[i].first - 1) == spans[i - 1].last)
            std::abort(); // overlapping or touching spans should have been joined
    for (const auto& m : members) {
        bool covered = false;
        for (const auto& s : spans)
            covered = covered || (s.first <= m.first && m.last <= s.last);
        if (!covered)
            std::abort();
    }
    typename net::Network<W>::Count blocks = 0;
    bool first = true;
    net::Network<W> previous;
    set.blocks([&](const net::Network<W>& b) {
        if (b != b.trunc() || (!first && b.network() <= previous.broadcast()))
            std::abort();
        // Two neighbours that make one aligned block would not be fewest.
        if (!first && b.length() == previous.length() && b.length() > 0 && previous.broadcast() + 1 == b.network() &&
            previous.supernet(b.length() - 1).contains(b))
            std::abort();
        blocks = blocks + b.size();
        previous = b;
        first = false;
    });
    if (blocks != set.size())
        std::abort();
    if (spans.empty())
        return;
    const net::Network<W> summary = net::SummaryOf<W>(spans.front().first, spans.back().last);
    typename net::Network<W>::Count gaps = 0;
    for (const auto& g : set.gapsIn({summary.network(), summary.broadcast()}))
        gaps = gaps + g.size();
    if (gaps + set.size() != summary.size())
        std::abort();
    // Smallest: the first and last address part at the bit after it.
    const int l = summary.length();
    if (!summary.contains(spans.front().first) || !summary.contains(spans.back().last) ||
        (l < W && ((spans.front().first >> (W - 1 - l)) & 1) == ((spans.back().last >> (W - 1 - l)) & 1)))
        std::abort(); // the summary would not be the smallest
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    net::SpanSet<32> v4;
    net::SpanSet<128> v6;
    std::vector<net::Span<32>> members4;
    std::vector<net::Span<128>> members6;
    cli::LineSplitter lines([&](long, std::string_view text, bool tooLong) {
        std::string problem;
        const auto item = tooLong ? std::nullopt : cli::ParseSetItem(text, problem);
        if (item && item->ipv6) {
            v6.add(item->span6);
            members6.push_back(item->span6);
        } else if (item) {
            v4.add(item->span4);
            members4.push_back(item->span4);
        }
    });
    lines.feed(std::string_view(reinterpret_cast<const char*>(data), size));
    lines.finish();
    check<32>(v4, members4);
    check<128>(v6, members6);
    return 0;
}
