#pragma once
// What kind of address an address is: the most specific block of IANA's
// special-purpose address registries (IPv4 and IPv6) that holds it, with the
// block's name, its RFC and whether the registry calls it globally reachable.
// The rows are transcribed in addresstypes.def, one line per block, with
// the dates the registries were last updated. Blocks the registries leave out
// are named too, marked by their source: multicast (IPv4 224.0.0.0/4 and some
// of its blocks, IPv6 ff00::/8 by scope) and a fallback for everything else
// (IPv4 "Public"; IPv6 the top-level blocks of the IPv6 address space, e.g.
// 2000::/3 Global Unicast). Standard C++ only; a lookup allocates nothing.
#include "model/network.h"

#include <cstdint>

namespace specialpurpose {

// The registries' "Globally Reachable" column: True, False, N/A, or empty
// (Blank: the registries leave it so for terminated blocks).
enum class Reachable : std::uint8_t { False, True, NotApplicable, Blank };

// Where a row comes from: the special-purpose registries themselves, the
// multicast address blocks, or the fallback for addresses in no listed block.
enum class Source : std::uint8_t { Registry, Multicast, Fallback };

template <int Width> struct Entry {
    net::Network<Width> network; // the block (for an IPv6 multicast scope: ff00::/8)
    const char* block;           // the block as the registry writes it, "100.64.0.0/10"
    const char* name;            // as the registry writes it, "Shared Address Space"
    const char* rfc;             // "RFC 6598"; several joined by ", "; "" when none
    Reachable globallyReachable;
    const char* note; // the registry's footnote on the row, or ""
    Source source;
};
using Entry4 = Entry<32>;
using Entry6 = Entry<128>;

// The type of one address: the most specific row holding it. Never null: an
// address in no listed block gets its fallback row.
const Entry4* Lookup4(std::uint32_t address);
const Entry6* Lookup6(net::uint128 address);

// The type of a network as a whole. `entry` is the most specific row holding
// every address of the network; null when no row does and the network spans
// blocks of several types (0.0.0.0/0, 192.0.0.0/16). `mixed` says a more
// specific row lies inside the network, so not every address is of entry's
// type (192.0.0.0/24 holds 192.0.0.9/32); it is always set when entry is null.
template <int Width> struct NetworkType {
    const Entry<Width>* entry = nullptr;
    bool mixed = false;
};
NetworkType<32> TypeOf(const net::Network4& network);
NetworkType<128> TypeOf(const net::Network6& network);

// An IPv6 multicast address's scope, its fourth hex digit (RFC 4291, RFC
// 7346): 1 interface-local, 2 link-local, 3 realm-local, 4 admin-local, 5
// site-local, 8 organization-local, 14 global. -1 for an address outside
// ff00::/8.
int MulticastScope6(net::uint128 address);

// The rows of each table, in address order (by block, the longer after the
// shorter), fallback rows included; the IPv6 multicast scope rows, which are
// not blocks, are in Scopes6 (index: the scope digit).
struct Rows4 {
    const Entry4* begin;
    const Entry4* end;
};
struct Rows6 {
    const Entry6* begin;
    const Entry6* end;
};
Rows4 Table4();
Rows6 Table6();
const Entry6* Scopes6(); // 16 rows

// The registries' names and the "Last Updated" dates of the transcribed
// versions, "2025-xx-xx".
extern const char* const kRegistry4;
extern const char* const kRegistry6;
extern const char* const kUpdated4;
extern const char* const kUpdated6;

// "True", "False", "N/A", "" as the registries write them.
const char* ToString(Reachable reachable);
// "registry", "multicast", "fallback".
const char* ToString(Source source);

} // namespace specialpurpose
