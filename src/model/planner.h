#pragma once
// Planning subnets by host counts (variable-length masks): each request gets
// the smallest block whose hosts cover it; the largest blocks are placed
// first, each aligned to its size, from the start of the network, so nothing
// is lost between them; what is left is described as the fewest blocks.
#include "model/network.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace net {

struct PlanRequest {
    std::string name; // may be empty
    std::uint64_t hosts = 0;
};

template <int Width> struct Plan {
    struct Allocation {
        Network<Width> block;
        typename Network<Width>::Count hosts = 0; // usable hosts of the block
    };
    // Whether every request fitted; when not, `missing` says by how many
    // addresses the network is too small and nothing else is filled.
    bool fits = false;
    typename Network<Width>::Count missing = 0;
    // One per request, in the order the requests were given.
    std::vector<Allocation> allocations;
    // The space no allocation took, as the fewest blocks in address order.
    std::vector<Network<Width>> unused;
};

// The length of the smallest block with at least `hosts` hosts (hosts > 0),
// or -1 when no block of this width has that many.
template <int Width> int BlockLengthFor(std::uint64_t hosts, bool rfc3021)
{
    for (int length = Width; length >= 0; --length)
        if (Network<Width>(0, length).hosts(rfc3021) >= hosts)
            return length;
    return -1;
}

// Requests of 0 hosts are the caller's to refuse; here they would take no
// room and are given the smallest block anyway.
template <int Width>
Plan<Width> PlanSubnets(const Network<Width>& within, const std::vector<PlanRequest>& requests, bool rfc3021)
{
    using Count = typename Network<Width>::Count;
    using Value = typename Network<Width>::Value;
    Plan<Width> plan;
    std::vector<int> lengths(requests.size());
    // Addresses the blocks take together, held at the largest count when
    // the sum would not fit.
    constexpr Count kMost = ~Count(0);
    Count needed = 0;
    for (size_t i = 0; i < requests.size(); ++i) {
        const std::uint64_t hosts = std::max<std::uint64_t>(requests[i].hosts, 1);
        lengths[i] = BlockLengthFor<Width>(hosts, rfc3021);
        Count size = 0;
        if (lengths[i] >= 0) {
            size = Network<Width>(0, lengths[i]).size();
        } else {
            // No block of this width is big enough: it would take the
            // smallest power of two past the whole space whose hosts cover it.
            size = Network<Width>(0, 0).size();
            while (size - 2 < hosts && size <= kMost / 2)
                size *= 2;
            if (size - 2 < hosts)
                size = kMost;
        }
        needed = needed > kMost - size ? kMost : needed + size;
    }
    const Count room = within.size();
    if (needed > room) {
        plan.missing = needed - room;
        return plan;
    }
    // Largest first, ties in the order given. Blocks of falling power-of-two
    // sizes placed end to end stay aligned to their own sizes.
    std::vector<size_t> order(requests.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lengths[a] < lengths[b]; });
    plan.allocations.resize(requests.size());
    Count offset = 0;
    for (size_t i : order) {
        const Network<Width> block(Value(within.network() + Value(offset)), lengths[i]);
        plan.allocations[i] = {block, block.hosts(rfc3021)};
        offset += block.size();
    }
    plan.fits = true;
    if (offset < room)
        RangeBlocks<Width>(Value(within.network() + Value(offset)), within.broadcast(),
                           [&](const Network<Width>& n) { plan.unused.push_back(n); });
    return plan;
}

} // namespace net
