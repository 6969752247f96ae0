#pragma once
// What an IPv6 address says about itself beyond its prefix: the interface
// identifier, the MAC address an EUI-64 identifier was made from, and an IPv4
// address carried inside it. Pure functions of the value, for the report,
// the JSON and the IPv6 window alike.
#include "model/network.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ipv6facts {

// The interface identifier: the low 64 bits.
constexpr std::uint64_t InterfaceId(net::uint128 address) { return std::uint64_t(address); }
// The identifier as four groups of four hex digits, "0211:22ff:fe33:4455":
// every digit written, so it reads as the fixed half of the address it is
// (canonical compression would make "::1" of a whole address's tail).
std::string InterfaceIdText(net::uint128 address);

// A modified EUI-64 identifier has ff:fe in its middle (bytes 11 and 12 of
// the address). Any identifier may happen to; the caller decides whether the
// prefix length makes it an interface identifier at all.
constexpr bool IsEui64(net::uint128 address) { return (std::uint64_t(address) >> 24 & 0xFFFF) == 0xFFFE; }
// The 48-bit MAC address an EUI-64 identifier was made from (the universal/
// local bit, 0x02 of its first byte, flipped back); nothing for any other.
std::optional<std::uint64_t> MacOf(net::uint128 address);
// "00:11:22:33:44:55": lower case, colon-separated.
std::string MacText(std::uint64_t mac);

// An IPv4 address carried in an IPv6 one, by the block that carries it.
enum class Carrier {
    Mapped, // ::ffff:0:0/96, the last 32 bits
    SixToFour, // 2002::/16, bits 16 to 47
    Nat64, // 64:ff9b::/96, the well-known NAT64 prefix, the last 32 bits
    Teredo, // 2001::/32: server in bits 32 to 63, client and port obscured
};
struct Embedded {
    Carrier carrier;
    std::uint32_t ipv4; // the address (Teredo: the server)
    // Teredo only: the client's address and UDP port (stored inverted), and
    // the flags (bits 64 to 79; 0x8000 is the cone bit).
    std::uint32_t client = 0;
    std::uint16_t port = 0;
    std::uint16_t flags = 0;
};
std::optional<Embedded> EmbeddedIPv4(net::uint128 address);
// "IPv4-mapped", "6to4", "NAT64", "Teredo".
const char* CarrierName(Carrier carrier);

// The /64 networks a prefix of 64 bits or fewer holds, 2^(64 - length) (2^64
// for ::/0); nothing for a longer prefix, which is part of one /64.
std::optional<net::Count128> Subnets64(const net::Network6& network);

} // namespace ipv6facts
