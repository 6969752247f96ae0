#pragma once
// What the network verbs accept as a network: "A.B.C.D/N" with N from 0 to
// 32, "A.B.C.D/W.X.Y.Z" with a contiguous mask, or a bare "A.B.C.D", a single
// host (/32). Blanks around it are ignored; nothing else is corrected.
#include "model/netset.h"
#include "model/network.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// A text with ":" is IPv6: no IPv4 form holds one, every IPv6 form does.
inline bool IsIPv6Text(std::string_view text)
{
    return text.find(':') != std::string_view::npos;
}

// A mask as written after "/" or as an option's value: a length from `min` to
// `max` in plain decimal, or a dotted mask whose ones come first and number
// `min` to `max`. Nothing, with `problem` set, otherwise.
std::optional<int> ParseMaskBits(std::string_view text, int min, int max, std::string& problem);

// The dotted address before "/" and the text after it (none without a "/"),
// blanks around the whole ignored: what the address and network readers
// share. An empty text, or one without a dotted address, is refused naming
// `noun` (with its `article`) and an `example` to write instead.
struct Slashed {
    std::uint32_t address = 0;
    std::optional<std::string_view> mask;
};
std::optional<Slashed> ParseSlashed(std::string_view text, std::string_view article, std::string_view noun,
                                    std::string_view example, std::string& problem);

// The network, keeping the address's host bits as typed, or nothing with
// `problem` set to what is wrong (a part it names is quoted as Shown gives it).
std::optional<net::Network4> ParseNetwork(std::string_view text, std::string& problem);

// An IPv6 network: "ADDRESS/LEN" with LEN from 0 to 128, or a bare ADDRESS
// (/128), the address in any form ipv6text::Parse reads, a zone ("%eth0")
// kept. Blanks around it are ignored.
struct Network6Input {
    net::Network6 network;
    std::string zone;
};
std::optional<Network6Input> ParseNetwork6(std::string_view text, std::string& problem);

// A member of a set of addresses, as the set verbs read it: a network of
// either family, or a range "FIRST-LAST" of two addresses of one family,
// FIRST not after LAST. A zone names a link, not addresses: it is refused.
struct SetItem {
    bool ipv6 = false;
    bool range = false;     // written as FIRST-LAST
    net::Network4 network4; // as written, host bits kept, when not a range
    net::Network6 network6;
    net::Span<32> span4; // its addresses, the block's own for a network
    net::Span<128> span6;
};
std::optional<SetItem> ParseSetItem(std::string_view text, std::string& problem);
// A range given as its two ends.
std::optional<SetItem> ParseRange(std::string_view first, std::string_view last, std::string& problem);

} // namespace cli
