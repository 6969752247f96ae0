#pragma once
// IPv6 addresses as text: the one reader of every RFC 4291 form and the one
// writer of RFC 5952's canonical form, for the terminal and the windows.
#include "model/count128.h"

#include <optional>
#include <string>
#include <string_view>

namespace ipv6text {

struct Address {
    net::uint128 value = 0;
    std::string zone; // after "%", kept and shown, never used in arithmetic
};

// Longest canonical text Format writes (an IPv4 tail included), zone aside.
constexpr size_t kMaxLength = 45;

// "2001:db8::1", "2001:0DB8:0:0:0:0:0:1", "::ffff:192.0.2.1", "fe80::1%eth0":
// the address, or nothing with `problem` (when given) saying what is wrong.
std::optional<Address> Parse(std::string_view text, std::string* problem = nullptr);

// RFC 5952: lower case, no leading zeros, the longest run of two or more zero
// hextets (the first of equal runs) as "::"; IPv4-mapped addresses end in
// dotted decimal. Writes at `out` (room for kMaxLength), returns the end.
char* Format(net::uint128 value, char* out);
std::string ToString(net::uint128 value);
// The canonical text and, when there is one, "%" and the zone.
std::string ToString(const Address& address);
// All eight hextets with four digits each: "2001:0db8:0000:...:0001".
std::string Expanded(net::uint128 value);

// A count in decimal, "340282366920938463463374607431768211456" for 2^128.
std::string Decimal(const net::Count128& count);

} // namespace ipv6text
