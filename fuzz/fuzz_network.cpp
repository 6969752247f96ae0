// The network verbs' operand readers (IPv4 and IPv6) and the mask reader
// behind them and --mask.
#include "cli/networkinput.h"
#include "model/dotted.h"
#include "model/ipv6text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the mask range the rest is read against.
    const int min = data[0] % 33, max = min + (data[0] >> 3) % (33 - min);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string problem;
    const auto bits = cli::ParseMaskBits(text, min, max, problem);
    if (bits.has_value() == !problem.empty() || (bits && (*bits < min || *bits > max)))
        std::abort();

    // The IPv6 reader: what it takes reads back the same from its canonical form.
    problem.clear();
    const auto v6 = cli::ParseNetwork6(text, problem);
    if (v6.has_value() == !problem.empty())
        std::abort();
    if (v6) {
        if (!net::Network6::validLength(v6->network.length()))
            std::abort();
        std::string again;
        const auto same = cli::ParseNetwork6(ipv6text::ToString(v6->network.address()) +
                                                 (v6->zone.empty() ? "" : "%" + v6->zone) + '/' +
                                                 std::to_string(v6->network.length()),
                                             again);
        if (!same || same->network != v6->network || same->zone != v6->zone)
            std::abort();
    }

    problem.clear();
    const auto network = cli::ParseNetwork(text, problem);
    if (network.has_value() == !problem.empty())
        std::abort();
    if (!network)
        return 0;
    if (!net::Network4::validLength(network->length()))
        std::abort();
    std::string again;
    const auto same = cli::ParseNetwork(dotted::ToString(network->address()) + '/' + std::to_string(network->length()), again);
    if (!same || *same != *network)
        std::abort();
    // Its split's first and last rows lie inside it, at its ends.
    const auto rows = network->subnets(std::min(32, network->length() + (data[0] & 7)));
    if (rows[0].network() != network->network() || rows[rows.size() - 1].broadcast() != network->broadcast())
        std::abort();
    return 0;
}
