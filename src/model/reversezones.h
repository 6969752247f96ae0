#pragma once
// The reverse DNS zones of a network: in-addr.arpa zones end at octets and
// ip6.arpa zones at nibbles, so a network whose length is not at such a
// boundary needs the zones of the next boundary after it, every one of them.
// There are at most 2^7 (IPv4) or 2^3 (IPv6), made on demand.
#include "model/network.h"

#include <cstdint>
#include <string>

namespace reversezones {

class Zones {
public:
    // The zones that cover `network`. An IPv4 network longer than /24 lies
    // inside one /24 zone: that zone, and delegation() names its part.
    explicit Zones(const net::Network4& network);
    explicit Zones(const net::Network6& network);

    // The zones' prefix length: a multiple of 8 (IPv4, at most 24) or of 4.
    int length() const { return length_; }
    // How many zones: 2^(length() - network length), 1 at a boundary.
    std::uint32_t count() const { return count_; }
    // Zone i (0 to count() - 1) in address order, "16.172.in-addr.arpa".
    std::string zone(std::uint32_t i) const;
    // RFC 2317's name for the delegated part of an IPv4 network longer than
    // /24, "64/26.1.168.192.in-addr.arpa"; empty for any other network.
    const std::string& delegation() const { return delegation_; }

private:
    bool v6_;
    net::uint128 first_; // the first zone's first address (IPv4 in the low bits)
    int length_;
    std::uint32_t count_;
    std::string delegation_;
};

// The zone of the first `length` bits of an address (length a multiple of 8,
// or of 4 for IPv6); at the full length, the address's own PTR name.
std::string ZoneName(std::uint32_t address, int length);
std::string ZoneName(net::uint128 address, int length);

} // namespace reversezones
