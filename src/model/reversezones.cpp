#include "model/reversezones.h"

#include <charconv>

namespace reversezones {

std::string ZoneName(std::uint32_t address, int length)
{
    std::string name;
    name.reserve(28);
    char octet[4];
    for (int k = length / 8 - 1; k >= 0; --k) {
        char* end = std::to_chars(octet, octet + sizeof octet, address >> (24 - 8 * k) & 255).ptr;
        name.append(octet, end).append(1, '.');
    }
    return name + "in-addr.arpa";
}

std::string ZoneName(net::uint128 address, int length)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name;
    name.reserve(72);
    for (int k = length / 4 - 1; k >= 0; --k) {
        name.push_back(kHex[unsigned(address >> (124 - 4 * k)) & 15]);
        name.push_back('.');
    }
    return name + "ip6.arpa";
}

Zones::Zones(const net::Network4& network) : v6_(false)
{
    const int length = network.length();
    if (length > 24) {
        length_ = 24;
        count_ = 1;
        char first[4];
        char* end = std::to_chars(first, first + sizeof first, network.network() & 255).ptr;
        delegation_ = std::string(first, end) + '/' + std::to_string(length) + '.' +
                      ZoneName(network.network(), 24);
    } else {
        length_ = (length + 7) / 8 * 8;
        count_ = std::uint32_t(1) << (length_ - length);
    }
    first_ = network.network();
}

Zones::Zones(const net::Network6& network) : v6_(true)
{
    length_ = (network.length() + 3) / 4 * 4;
    count_ = std::uint32_t(1) << (length_ - network.length());
    first_ = network.network();
}

std::string Zones::zone(std::uint32_t i) const
{
    if (v6_) {
        const net::uint128 step = length_ == 0 ? 0 : net::uint128(1) << (128 - length_);
        return ZoneName(first_ + step * i, length_);
    }
    const std::uint32_t step = length_ == 0 ? 0 : std::uint32_t(1) << (32 - length_);
    return ZoneName(std::uint32_t(first_) + step * i, length_);
}

} // namespace reversezones
