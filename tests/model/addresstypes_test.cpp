// Address types: every row of the transcribed registries found by its first
// and last address and lost just outside, the well-known answers, the IPv6
// multicast scopes, whole networks, and the registries' dates.
#include "model/dotted.h"
#include "model/addresstypes.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <regex>
#include <string>

namespace {

using namespace specialpurpose;
using net::uint128;

uint128 v6(const char* text)
{
    unsigned char bytes[16];
    EXPECT_EQ(inet_pton(AF_INET6, text, bytes), 1) << text;
    uint128 value = 0;
    for (unsigned char b : bytes)
        value = value << 8 | b;
    return value;
}

// The most specific row by a plain scan of the whole table: what the lookup's
// search must agree with.
template <typename Rows, typename Value> auto Scan(const Rows& rows, Value address)
{
    decltype(rows.begin) best = nullptr;
    for (auto row = rows.begin; row != rows.end; ++row)
        if (row->network.contains(address) && (!best || row->network.length() > best->network.length()))
            best = row;
    return best;
}

const Entry6* Expected6(uint128 address)
{
    const Entry6* row = Scan(Table6(), address);
    return row->source == Source::Multicast && row->network.length() == 8 ? &Scopes6()[MulticastScope6(address)]
                                                                        : row;
}

const Entry4* Expected4(std::uint32_t address)
{
    const Entry4* row = Scan(Table4(), address);
    return row ? row : Lookup4(0x08080808); // the fallback row
}

// Each row's first and last address find the row, or a more specific row
// starting there; the addresses just outside find neither. Every answer is
// the one a plain scan gives. Returns the number of registry rows.
template <typename Rows, typename Lookup, typename Expected, typename Value>
int CheckEveryRow(const Rows& rows, Lookup lookup, Expected expected, Value max)
{
    int registryRows = 0;
    for (auto row = rows.begin; row != rows.end; ++row) {
        SCOPED_TRACE(row->block);
        registryRows += row->source == Source::Registry;
        const std::string block = row->block;
        EXPECT_EQ(block.substr(block.find('/') + 1), std::to_string(row->network.length()));
        const Value first = row->network.network(), last = row->network.broadcast();
        for (Value inside : {first, last}) {
            EXPECT_EQ(lookup(inside), expected(inside));
            EXPECT_TRUE(row->network.contains(lookup(inside)->network)) << lookup(inside)->block;
        }
        if (lookup(first)->network != row->network) {
            EXPECT_EQ(lookup(first)->network.network(), first);
        }
        if (first > 0) {
            EXPECT_FALSE(row->network.contains(lookup(first - 1)->network));
            EXPECT_EQ(lookup(first - 1), expected(first - 1));
        }
        if (last < max) {
            EXPECT_FALSE(row->network.contains(lookup(last + 1)->network));
            EXPECT_EQ(lookup(last + 1), expected(last + 1));
        }
    }
    return registryRows;
}

TEST(SpecialPurpose, EveryRowByItsFirstAndLastAddressAndJustOutside)
{
    // 25 records each; IPv4's 192.0.0.170/32 and 192.0.0.171/32 share one.
    EXPECT_EQ(CheckEveryRow(Table4(), Lookup4, Expected4, std::uint32_t(0xFFFFFFFF)), 26);
    EXPECT_EQ(CheckEveryRow(Table6(), Lookup6, Expected6, ~uint128(0)), 25);
    // The texts are the blocks.
    for (auto row = Table4().begin; row != Table4().end; ++row)
        EXPECT_EQ(dotted::Parse(std::string(row->block).substr(0, std::string(row->block).find('/'))),
                  row->network.address());
    for (auto row = Table6().begin; row != Table6().end; ++row)
        EXPECT_EQ(v6(std::string(row->block).substr(0, std::string(row->block).find('/')).c_str()),
                  row->network.address());
}

TEST(SpecialPurpose, WellKnownAddresses)
{
    struct Case {
        const char* address;
        const char* block; // "" for the IPv4 fallback
        const char* name;
        const char* rfc;
        Reachable reachable;
        Source source;
    };
    constexpr Reachable T = Reachable::True, F = Reachable::False, NA = Reachable::NotApplicable,
                        Blank = Reachable::Blank;
    constexpr Source R = Source::Registry, M = Source::Multicast, FB = Source::Fallback;
    const Case cases[] = {
        {"100.64.0.1", "100.64.0.0/10", "Shared Address Space", "RFC 6598", F, R},
        {"192.0.0.9", "192.0.0.9/32", "Port Control Protocol Anycast", "RFC 7723", T, R},
        {"192.0.0.7", "192.0.0.0/29", "IPv4 Service Continuity Prefix", "RFC 7335", F, R},
        {"192.88.99.1", "192.88.99.0/24", "Deprecated (6to4 Relay Anycast)", "RFC 7526", Blank, R},
        {"192.88.99.2", "192.88.99.2/32", "6a44-relay anycast address", "RFC 6751", F, R},
        {"0.0.0.0", "0.0.0.0/32", "\"This host on this network\"", "RFC 1122, Section 3.2.1.3", F, R},
        {"255.255.255.255", "255.255.255.255/32", "Limited Broadcast", "RFC 8190, RFC 919, Section 7", F, R},
        {"255.255.255.254", "240.0.0.0/4", "Reserved", "RFC 1112, Section 4", F, R},
        {"8.8.8.8", "", "Public", "", T, FB},
        {"225.1.1.1", "224.0.0.0/4", "Multicast", "RFC 5771", NA, M},
        {"239.255.255.250", "239.0.0.0/8", "Administratively Scoped Block", "RFC 5771, RFC 2365", F, M},
        {"2001:db8::1", "2001:db8::/32", "Documentation", "RFC 3849", F, R},
        {"3fff::1", "3fff::/20", "Documentation", "RFC 9637", F, R},
        {"3fff:1000::", "2000::/3", "Global Unicast", "RFC 3513, RFC 4291", T, FB},
        {"::2", "::/8", "Reserved by IETF", "RFC 3513, RFC 4291", NA, FB},
        {"::ffff:192.0.2.1", "::ffff:0:0/96", "IPv4-mapped Address", "RFC 4291", F, R},
        {"2001::1", "2001::/32", "TEREDO", "RFC 4380, RFC 8190", NA, R},
        {"2001:1::4", "2001::/23", "IETF Protocol Assignments", "RFC 2928", F, R},
        {"2001:30::1", "2001:30::/28", "Drone Remote ID Protocol Entity Tags (DETs) Prefix", "RFC 9374", T, R},
        {"fec0::1", "fec0::/10", "Reserved by IETF", "RFC 3879", NA, FB},
        {"ff02::1", "ff00::/8", "Multicast, Link-Local scope", "RFC 4291, RFC 7346", F, M},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        const bool isV6 = std::string(c.address).find(':') != std::string::npos;
        const auto check = [&](const auto* e) {
            EXPECT_STREQ(e->block, c.block);
            EXPECT_STREQ(e->name, c.name);
            EXPECT_STREQ(e->rfc, c.rfc);
            EXPECT_EQ(e->globallyReachable, c.reachable);
            EXPECT_EQ(e->source, c.source);
        };
        if (isV6)
            check(Lookup6(v6(c.address)));
        else
            check(Lookup4(*dotted::Parse(c.address)));
    }
    EXPECT_STREQ(ToString(Reachable::Blank), "");
    EXPECT_STREQ(ToString(Reachable::NotApplicable), "N/A");
    EXPECT_STREQ(ToString(Source::Fallback), "fallback");
}

TEST(SpecialPurpose, MulticastScopesFromTheFourthHexDigit)
{
    struct Case {
        const char* address;
        int scope;
        const char* name;
    };
    const Case cases[] = {
        {"ff00::1", 0, "Multicast, Reserved scope"},
        {"ff01::1", 1, "Multicast, Interface-Local scope"},
        {"ff02::1:ff00:1", 2, "Multicast, Link-Local scope"},
        {"ff32::8000:1", 2, "Multicast, Link-Local scope"}, // flags set: the scope is still the 4th digit
        {"ff14::1", 4, "Multicast, Admin-Local scope"},
        {"ff05::1:3", 5, "Multicast, Site-Local scope"},
        {"ff18::1", 8, "Multicast, Organization-Local scope"},
        {"ff7e::1", 14, "Multicast, Global scope"},
        {"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", 15, "Multicast, Reserved scope"},
        {"feff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", -1, "Reserved by IETF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(MulticastScope6(v6(c.address)), c.scope);
        EXPECT_STREQ(Lookup6(v6(c.address))->name, c.name);
    }
    for (int digit = 0; digit < 16; ++digit)
        EXPECT_EQ(Scopes6()[digit].network, net::Network6(v6("ff00::"), 8));
}

TEST(SpecialPurpose, WholeNetworks)
{
    struct Case {
        const char* network;
        int length;
        const char* block; // nullptr: no one row holds the network
        bool mixed;
    };
    const Case cases[] = {
        {"192.0.0.0", 24, "192.0.0.0/24", true},      // holds the /29 and the /32s
        {"192.0.0.9", 32, "192.0.0.9/32", false},
        {"192.0.0.0", 16, nullptr, true},             // spans 192.0.0.0/24, 192.0.2.0/24 and public space
        {"0.0.0.0", 0, nullptr, true},
        {"8.0.0.0", 8, "", false},                    // public throughout
        {"10.20.0.0", 16, "10.0.0.0/8", false},
        {"100.64.0.0", 10, "100.64.0.0/10", false},
        {"192.88.99.0", 24, "192.88.99.0/24", true},  // holds 192.88.99.2/32
        {"224.0.0.0", 4, "224.0.0.0/4", true},
        {"240.0.0.0", 4, "240.0.0.0/4", true},        // holds 255.255.255.255/32
        {"2001:db8:1::", 48, "2001:db8::/32", false},
        {"2001::", 16, "2000::/3", true},
        {"2001:1::", 126, "2001::/23", true},
        {"ff00::", 8, "ff00::/8", true},               // every scope
        {"ff00::", 12, "ff00::/8", true},
    };
    const auto check = [](const auto& t, const Case& c) {
        EXPECT_EQ(t.mixed, c.mixed);
        EXPECT_STREQ(t.entry ? t.entry->block : "(none)", c.block ? c.block : "(none)");
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.network) + "/" + std::to_string(c.length));
        if (std::string(c.network).find(':') != std::string::npos)
            check(TypeOf(net::Network6(v6(c.network), c.length)), c);
        else
            check(TypeOf(net::Network4(*dotted::Parse(c.network), c.length)), c);
    }
    // Once its first 16 bits are fixed, a multicast network has one scope.
    const NetworkType<128> linkLocal = TypeOf(net::Network6(v6("ff12::"), 16));
    EXPECT_STREQ(linkLocal.entry->name, "Multicast, Link-Local scope");
    EXPECT_FALSE(linkLocal.mixed);
    // Host bits of the typed address do not move the network.
    EXPECT_STREQ(TypeOf(net::Network4(*dotted::Parse("192.0.0.200"), 24)).entry->block, "192.0.0.0/24");
}

TEST(SpecialPurpose, RegistryDatesAreDates)
{
    const std::regex date("20[0-9]{2}-(0[1-9]|1[0-2])-(0[1-9]|[12][0-9]|3[01])");
    EXPECT_TRUE(std::regex_match(kUpdated4, date)) << kUpdated4;
    EXPECT_TRUE(std::regex_match(kUpdated6, date)) << kUpdated6;
}

} // namespace
