#include "model/ipv6facts.h"

namespace ipv6facts {

namespace {

constexpr char kHex[] = "0123456789abcdef";

constexpr bool under(net::uint128 address, net::uint128 prefix, int length)
{
    return net::Network6(prefix, length).contains(address);
}

constexpr net::uint128 top(std::uint64_t high) { return net::uint128(high) << 64; }

} // namespace

std::string InterfaceIdText(net::uint128 address)
{
    const std::uint64_t id = InterfaceId(address);
    std::string text(19, ':');
    for (int k = 0; k < 16; ++k)
        text[size_t(k + k / 4)] = kHex[id >> (60 - 4 * k) & 15];
    return text;
}

std::optional<std::uint64_t> MacOf(net::uint128 address)
{
    if (!IsEui64(address))
        return std::nullopt;
    const std::uint64_t id = InterfaceId(address);
    // The three bytes either side of ff:fe; the universal/local bit flipped.
    const std::uint64_t mac = (id >> 40) << 24 | (id & 0xFFFFFF);
    return mac ^ (std::uint64_t(0x02) << 40);
}

std::string MacText(std::uint64_t mac)
{
    std::string text(17, ':');
    for (int k = 0; k < 6; ++k) {
        const unsigned byte = unsigned(mac >> (40 - 8 * k)) & 255;
        text[size_t(3 * k)] = kHex[byte >> 4];
        text[size_t(3 * k + 1)] = kHex[byte & 15];
    }
    return text;
}

std::optional<Embedded> EmbeddedIPv4(net::uint128 address)
{
    const auto low32 = std::uint32_t(address);
    if (under(address, net::uint128(0xFFFF) << 32, 96))
        return Embedded{Carrier::Mapped, low32};
    if (under(address, top(0x0064FF9B00000000), 96))
        return Embedded{Carrier::Nat64, low32};
    if (under(address, top(0x2002000000000000), 16))
        return Embedded{Carrier::SixToFour, std::uint32_t(address >> 80)};
    if (under(address, top(0x2001000000000000), 32)) {
        Embedded e{Carrier::Teredo, std::uint32_t(address >> 64)};
        e.client = ~low32;
        e.port = std::uint16_t(~std::uint16_t(address >> 32));
        e.flags = std::uint16_t(address >> 48);
        return e;
    }
    return std::nullopt;
}

const char* CarrierName(Carrier carrier)
{
    switch (carrier) {
    case Carrier::Mapped:
        return "IPv4-mapped";
    case Carrier::SixToFour:
        return "6to4";
    case Carrier::Nat64:
        return "NAT64";
    case Carrier::Teredo:
        return "Teredo";
    }
    return "";
}

std::optional<net::Count128> Subnets64(const net::Network6& network)
{
    if (network.length() > 64)
        return std::nullopt;
    return net::Count128(1) << (64 - network.length());
}

} // namespace ipv6facts
