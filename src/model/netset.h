#pragma once
// Sets of addresses of one width, kept as closed ranges: the union of many
// networks and ranges as the fewest blocks, what is left of a network once
// others are cut out of it, and the one block that covers several networks
// (the summary route). Standard C++ only.
#include "model/network.h"

#include <algorithm>
#include <vector>

namespace net {

// A closed range of addresses, first <= last.
template <int Width> struct Span {
    using Value = typename Network<Width>::Value;
    Value first = 0;
    Value last = 0;

    static constexpr Span of(const Network<Width>& n) { return {n.network(), n.broadcast()}; }
    constexpr typename Network<Width>::Count size() const
    {
        using Count = typename Network<Width>::Count;
        return Count(last - first) + Count(1);
    }
    friend constexpr bool operator==(const Span& a, const Span& b) { return a.first == b.first && a.last == b.last; }
};

// The smallest block holding every address from first to last (first <= last):
// its length is the number of leading bits the two share.
template <int Width>
Network<Width> SummaryOf(typename Network<Width>::Value first, typename Network<Width>::Value last)
{
    int length = 0;
    while (length < Width && (first >> (Width - 1 - length)) == (last >> (Width - 1 - length)))
        ++length;
    return Network<Width>(first, length).trunc();
}

// The smallest block holding every one of `networks` (not empty), each taken
// as its block (host bits dropped).
template <int Width, typename Range> Network<Width> Summary(const Range& networks)
{
    using Value = typename Network<Width>::Value;
    bool any = false;
    Value low = 0, high = 0;
    for (const Network<Width>& n : networks) {
        if (!any || n.network() < low)
            low = n.network();
        if (!any || n.broadcast() > high)
            high = n.broadcast();
        any = true;
    }
    return SummaryOf<Width>(low, high);
}

// A union of spans, gathered in any order and with any overlap. Memory grows
// with the distinct spans, not with the input: the gathered spans are merged
// again whenever they have doubled since the last merge.
template <int Width> class SpanSet {
public:
    using Value = typename Network<Width>::Value;
    using Count = typename Network<Width>::Count;

    void add(const Span<Width>& s)
    {
        spans_.push_back(s);
        if (spans_.size() >= compactAt_) {
            normalize();
            compactAt_ = std::max<size_t>(kFirstCompaction, spans_.size() * 2);
        }
    }
    void add(const Network<Width>& n) { add(Span<Width>::of(n)); }
    bool empty() const { return spans_.empty(); }

    // Sorted, with overlapping and touching spans joined: what every
    // answer below reads.
    const std::vector<Span<Width>>& spans()
    {
        normalize();
        return spans_;
    }

    // Addresses in the union.
    Count size()
    {
        Count total = 0;
        for (const Span<Width>& s : spans())
            total = total + s.size();
        return total;
    }

    // The union as the fewest blocks, in address order, each passed to `take`.
    template <typename Take> void blocks(Take take)
    {
        for (const Span<Width>& s : spans())
            RangeBlocks<Width>(s.first, s.last, take);
    }

    // What is in `within` but in none of the spans, as spans in order.
    std::vector<Span<Width>> gapsIn(const Span<Width>& within)
    {
        std::vector<Span<Width>> gaps;
        Value from = within.first;
        bool open = true; // whether `from` still lies inside `within`
        for (const Span<Width>& s : spans()) {
            if (s.last < within.first || s.first > within.last)
                continue;
            if (open && s.first > from)
                gaps.push_back({from, Value(s.first - 1)});
            if (s.last >= within.last) {
                open = false;
                break;
            }
            from = Value(s.last + 1);
        }
        if (open)
            gaps.push_back({from, within.last});
        return gaps;
    }

private:
    static constexpr size_t kFirstCompaction = size_t(1) << 16;

    void normalize()
    {
        if (sorted_ == spans_.size())
            return;
        // The front is already in order: sort what came since and merge.
        const auto before = [](const Span<Width>& a, const Span<Width>& b) {
            return a.first < b.first || (a.first == b.first && a.last > b.last);
        };
        const auto middle = spans_.begin() + std::ptrdiff_t(sorted_);
        std::sort(middle, spans_.end(), before);
        std::inplace_merge(spans_.begin(), middle, spans_.end(), before);
        size_t kept = 0;
        for (size_t i = 0; i < spans_.size(); ++i) {
            const Span<Width>& s = spans_[i];
            // Joined when it overlaps or starts right after the kept one ends.
            if (kept > 0 && (s.first <= spans_[kept - 1].last || s.first - 1 == spans_[kept - 1].last)) {
                if (s.last > spans_[kept - 1].last)
                    spans_[kept - 1].last = s.last;
            } else {
                spans_[kept++] = s;
            }
        }
        spans_.resize(kept);
        sorted_ = kept;
    }

    std::vector<Span<Width>> spans_;
    size_t sorted_ = 0; // spans_ is normalized when it holds this many
    size_t compactAt_ = kFirstCompaction;
};

} // namespace net
