// IPv6 text in and out, 128-bit networks and counts, what an address
// carries, and the reverse zones of both families: worked tables, and
// Python's ipaddress on random values when there is a python3.
#include "model/dotted.h"
#include "model/ipv6facts.h"
#include "model/ipv6text.h"
#include "model/network.h"
#include "model/reversezones.h"

#include "model/python.h"

#include <gtest/gtest.h>


#include <sstream>

namespace {

using net::Network6;

net::uint128 v6(const char* text)
{
    const auto a = ipv6text::Parse(text);
    EXPECT_TRUE(a) << text;
    return a ? a->value : 0;
}

// Every text form reads back canonical (RFC 5952 section 4, one row per rule
// first) and expanded when the column is given.
TEST(IPv6Text, GoodFormsReadBackCanonicalAndExpanded)
{
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"2001:0db8::0001", "2001:db8::1", "2001:0db8:0000:0000:0000:0000:0000:0001"},             // 4.1
        {"2001:db8:0:0:0:0:2:1", "2001:db8::2:1", "2001:0db8:0000:0000:0000:0000:0002:0001"},      // 4.2.1
        {"2001:db8:0:1:1:1:1:1", "2001:db8:0:1:1:1:1:1", "2001:0db8:0000:0001:0001:0001:0001:0001"}, // 4.2.2
        {"2001:0:0:1:0:0:0:1", "2001:0:0:1::1", "2001:0000:0000:0001:0000:0000:0000:0001"},        // 4.2.3
        {"2001:db8:0:0:1:0:0:1", "2001:db8::1:0:0:1", "2001:0db8:0000:0000:0001:0000:0000:0001"},  // 4.2.3 tie
        {"2001:DB8::AbCd", "2001:db8::abcd", "2001:0db8:0000:0000:0000:0000:0000:abcd"},           // 4.3
        {"1:0:0:2:0:0:0:0", "1:0:0:2::", "0001:0000:0000:0002:0000:0000:0000:0000"},
        {"::", "::", "0000:0000:0000:0000:0000:0000:0000:0000"},
        {"::1", "::1", ""},
        {"1::", "1::", ""},
        {"2001:0Db8:00:000:0:0:0:01", "2001:db8::1", ""},
        {"1:2:3:4:5:6:7::", "1:2:3:4:5:6:7:0", ""},
        {"::2:3:4:5:6:7:8", "0:2:3:4:5:6:7:8", ""},
        {"::ffff:192.0.2.1", "::ffff:192.0.2.1", "0000:0000:0000:0000:0000:ffff:c000:0201"},
        {"0:0:0:0:0:FFFF:c000:201", "::ffff:192.0.2.1", ""},
        {"::ffff:0:0", "::ffff:0.0.0.0", ""},
        {"64:ff9b::192.0.2.33", "64:ff9b::c000:221", ""},
        {"1:2:3:4:5:6:1.2.3.4", "1:2:3:4:5:6:102:304", ""},
        {"::1.2.3.4", "::102:304", ""},
        {"::fffe:1.2.3.4", "::fffe:102:304", ""},
        {"1::ffff:1.2.3.4", "1::ffff:102:304", ""},
    };
    for (const auto& [text, canonical, expanded] : rows) {
        std::string problem = "untouched";
        const auto a = ipv6text::Parse(text, &problem);
        ASSERT_TRUE(a) << text << ": " << problem;
        EXPECT_EQ(ipv6text::ToString(a->value), canonical) << text;
        EXPECT_TRUE(a->zone.empty());
        if (*expanded) {
            EXPECT_EQ(ipv6text::Expanded(a->value), expanded) << text;
            EXPECT_EQ(v6(expanded), a->value) << text;
        }
    }
    const auto zoned = ipv6text::Parse("FE80::1%eth0.5");
    ASSERT_TRUE(zoned);
    EXPECT_EQ(zoned->zone, "eth0.5");
    EXPECT_EQ(ipv6text::ToString(*zoned), "fe80::1%eth0.5");
}

TEST(IPv6Text, BadFormsSayWhatIsWrong)
{
    const std::pair<const char*, const char*> rows[] = {
        {"", "the address is empty"},
        {"2001", "there is no \":\"; an IPv6 address has hextets separated by \":\""},
        {"12345::", "hextet \"12345\" has more than 4 hex digits"},
        {"2001:db8::g", "hextet \"g\" is not hexadecimal"},
        {"2001:db8::/64", "hextet \"/64\" is not hexadecimal"},
        {"1::2::3", "\"::\" appears twice"},
        {":::", "\":::\" has a colon too many"},
        {"1:2:3:4:5:6:7:8:9", "too many hextets (9)"},
        {"1:2:3:4:5:6:7", "too few hextets (7) and no \"::\""},
        {"1:2:3:4:5:1.2.3.4", "too few hextets (7, the IPv4 part counting as 2) and no \"::\""},
        {"1:2:3:4:5:6:7:1.2.3.4", "too many hextets (9, the IPv4 part counting as 2)"},
        {"1:2:3:4::5:6:7:8", "8 hextets and \"::\", which stands for at least one more"},
        {"::1:2:3:4:5:6:1.2.3.4", "8 hextets (the IPv4 part counting as 2) and \"::\", which stands for at least one more"},
        {":1::", "a single \":\" at the start"},
        {"1:", "a single \":\" at the end"},
        {"1.2.3.4::", "the IPv4 part \"1.2.3.4\" is not at the end"},
        {"::1.2.3", "the IPv4 part \"1.2.3\": it has 3 parts; it needs 4 octets"},
        {"::1.2.3.256", "the IPv4 part \"1.2.3.256\": octet 4 \"256\" is more than 255"},
        {"::ffff:1.2.3.04", "the IPv4 part \"1.2.3.04\": octet 4 \"04\" has a leading zero"},
        {"fe80::1%", "the zone after \"%\" is empty"},
        {"%eth0", "there is no address before the zone"},
        {"fe80::1%eth 0", "the zone \"eth 0\" holds \" \"; a zone is printable ASCII without blanks, \"/\" or \"%\""},
        {"fe80::1%eth0/64", "the zone \"eth0/64\" holds \"/\"; a zone is printable ASCII without blanks, \"/\" or \"%\""},
        {"fe80::1%\xc3\xa9", "the zone \"\\xc3\\xa9\" holds \"\\xc3\"; a zone is printable ASCII without blanks, \"/\" or \"%\""},
    };
    for (const auto& [text, reason] : rows) {
        std::string problem;
        EXPECT_FALSE(ipv6text::Parse(text, &problem)) << text;
        EXPECT_EQ(problem, reason) << text;
        EXPECT_FALSE(ipv6text::Parse(text)) << text;
    }
}

TEST(IPv6Network, CountsAreExact)
{
    const std::tuple<int, const char*, const char*> rows[] = {
        {0, "340282366920938463463374607431768211456", "18446744073709551616"},
        {1, "170141183460469231731687303715884105728", "9223372036854775808"},
        {64, "18446744073709551616", "1"},
        {127, "2", ""},
        {128, "1", ""},
    };
    for (const auto& [length, addresses, slash64s] : rows) {
        const Network6 n(v6("2001:db8::1"), length);
        EXPECT_EQ(ipv6text::Decimal(n.size()), addresses) << length;
        const auto s = ipv6facts::Subnets64(n);
        EXPECT_EQ(s ? ipv6text::Decimal(*s) : "", slash64s) << length;
    }
    EXPECT_EQ(ipv6text::Decimal(0), "0");
    EXPECT_EQ(ipv6text::Decimal(net::uint128(10000000000000000000ull) * 10), "100000000000000000000");
    EXPECT_EQ(ipv6text::Decimal(net::Count128::whole() - 1), "340282366920938463463374607431768211455");
    EXPECT_EQ(net::Count128::whole() - 0, net::Count128::whole());
    EXPECT_EQ(Network6(0, 0).hosts(), net::Count128::whole() - 2);
}

TEST(IPv6Network, RowsContainsAndOverlaps)
{
    const std::tuple<const char*, int, int, const char*, const char*> rows[] = {
        // parent, its length, new length, row, the row's network
        {"2001:db8::", 48, 64, "0", "2001:db8::"},
        {"2001:db8::", 48, 64, "4660", "2001:db8:0:1234::"},
        {"2001:db8::", 48, 64, "65535", "2001:db8:0:ffff::"},
        {"::", 0, 128, "340282366920938463463374607431768211455", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"::", 0, 1, "1", "8000::"},
        {"2001:db8::", 32, 44, "4095", "2001:db8:fff0::"},
        {"2001:db8::", 44, 64, "1048575", "2001:db8:f:ffff::"},
    };
    for (const auto& [parent, length, newLength, rowText, expected] : rows) {
        const auto split = Network6(v6(parent), length).subnets(newLength);
        net::uint128 row = 0;
        for (const char* d = rowText; *d; ++d)
            row = row * 10 + net::uint128(*d - '0');
        EXPECT_EQ(ipv6text::ToString(split[row].network()), expected) << parent << " row " << rowText;
        EXPECT_EQ(ipv6text::Decimal(split.rowOf(Network6(v6(expected), newLength).broadcast())), rowText) << expected;
    }
    const std::tuple<const char*, int, const char*, int, bool, bool> pairs[] = {
        {"2001:db8::", 32, "2001:db8:1::", 48, true, true},
        {"2001:db8:1::", 48, "2001:db8::", 32, false, true},
        {"::", 0, "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", 128, true, true},
        {"fe80::", 10, "fec0::", 10, false, false},
    };
    for (const auto& [a, la, b, lb, contains, overlaps] : pairs) {
        const Network6 x(v6(a), la), y(v6(b), lb);
        EXPECT_EQ(x.contains(y), contains) << a << " " << b;
        EXPECT_EQ(x.overlaps(y), overlaps) << a << " " << b;
        EXPECT_EQ(y.overlaps(x), overlaps) << a << " " << b;
    }
}

TEST(IPv6Facts, InterfaceIdAndEui64)
{
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"2001:db8::211:22ff:fe33:4455", "0211:22ff:fe33:4455", "00:11:22:33:44:55"},
        {"fe80::a8bb:ccff:fedd:eeff", "a8bb:ccff:fedd:eeff", "aa:bb:cc:dd:ee:ff"},
        {"fe80::ff:fe00:0", "0000:00ff:fe00:0000", "02:00:00:00:00:00"},
        {"fe80::1", "0000:0000:0000:0001", ""},
        {"fe80::211:22fe:ff33:4455", "0211:22fe:ff33:4455", ""}, // fe:ff, not ff:fe
    };
    for (const auto& [text, id, mac] : rows) {
        const net::uint128 v = v6(text);
        EXPECT_EQ(ipv6facts::InterfaceIdText(v), id) << text;
        const auto m = ipv6facts::MacOf(v);
        EXPECT_EQ(ipv6facts::IsEui64(v), m.has_value()) << text;
        EXPECT_EQ(m ? ipv6facts::MacText(*m) : "", mac) << text;
    }
}

TEST(IPv6Facts, EmbeddedIPv4)
{
    const std::tuple<const char*, const char*, const char*, const char*, int> rows[] = {
        // address, carrier, IPv4 (Teredo: server), Teredo client, client port
        {"::ffff:192.0.2.1", "IPv4-mapped", "192.0.2.1", "", 0},
        {"::fffe:c000:201", "", "", "", 0},
        {"64:ff9b::192.0.2.33", "NAT64", "192.0.2.33", "", 0},
        {"64:ff9b:1::c000:221", "", "", "", 0},
        {"2002:c000:204::1", "6to4", "192.0.2.4", "", 0},
        {"2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "6to4", "255.255.255.255", "", 0},
        {"2003::c000:204", "", "", "", 0},
        {"2001:0:4136:e378:8000:63bf:3fff:fdd2", "Teredo", "65.54.227.120", "192.0.2.45", 40000},
        {"2001::ffff:ffff", "Teredo", "0.0.0.0", "0.0.0.0", 65535},
        {"2001:1::", "", "", "", 0},
    };
    for (const auto& [text, carrier, ipv4, client, port] : rows) {
        const auto e = ipv6facts::EmbeddedIPv4(v6(text));
        EXPECT_EQ(e ? ipv6facts::CarrierName(e->carrier) : "", std::string(carrier)) << text;
        if (!e)
            continue;
        EXPECT_EQ(dotted::ToString(e->ipv4), ipv4) << text;
        if (e->carrier == ipv6facts::Carrier::Teredo) {
            EXPECT_EQ(dotted::ToString(e->client), client) << text;
            EXPECT_EQ(e->port, port) << text;
        }
    }
}

std::string allZones(const reversezones::Zones& z)
{
    std::string all = std::to_string(z.length()) + ":";
    for (std::uint32_t i = 0; i < z.count(); ++i)
        all += (i < 2 || i + 1 == z.count() ? " " + z.zone(i) : i == 2 ? " …" : "");
    return all + (z.delegation().empty() ? "" : " | " + z.delegation());
}

TEST(ReverseZones, BothFamiliesAtEveryKindOfLength)
{
    const std::tuple<const char*, int, std::uint32_t, const char*> rows[] = {
        {"172.16.0.0", 20, 16, "24: 0.16.172.in-addr.arpa 1.16.172.in-addr.arpa … 15.16.172.in-addr.arpa"},
        {"172.16.0.0", 16, 1, "16: 16.172.in-addr.arpa"},
        {"0.0.0.0", 0, 1, "0: in-addr.arpa"},
        {"128.0.0.0", 1, 128, "8: 128.in-addr.arpa 129.in-addr.arpa … 255.in-addr.arpa"},
        {"10.1.2.3", 23, 2, "24: 2.1.10.in-addr.arpa 3.1.10.in-addr.arpa"},
        {"192.168.1.77", 26, 1, "24: 1.168.192.in-addr.arpa | 64/26.1.168.192.in-addr.arpa"},
        {"192.168.1.77", 32, 1, "24: 1.168.192.in-addr.arpa | 77/32.1.168.192.in-addr.arpa"},
        {"2001:db8::", 33, 8, "36: 0.8.b.d.0.1.0.0.2.ip6.arpa 1.8.b.d.0.1.0.0.2.ip6.arpa … 7.8.b.d.0.1.0.0.2.ip6.arpa"},
        {"2001:db8:ffff::", 47, 2, "48: e.f.f.f.8.b.d.0.1.0.0.2.ip6.arpa f.f.f.f.8.b.d.0.1.0.0.2.ip6.arpa"},
        {"::", 0, 1, "0: ip6.arpa"},
        {"::1", 128, 1, "128: 1.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.ip6.arpa"},
    };
    for (const auto& [address, length, count, zones] : rows) {
        const bool v4 = std::string(address).find(':') == std::string::npos;
        const auto z = v4 ? reversezones::Zones(net::Network4(*dotted::Parse(address), length))
                          : reversezones::Zones(Network6(v6(address), length));
        EXPECT_EQ(z.count(), count) << address << "/" << length;
        EXPECT_EQ(allZones(z), zones) << address << "/" << length;
    }
    // Every length: the zones start at the network, end at its last address.
    for (int length = 0; length <= 128; ++length) {
        const Network6 n(~net::uint128(0), length);
        const reversezones::Zones z(n);
        ASSERT_EQ(z.length() % 4, 0);
        ASSERT_EQ(z.count(), 1u << (z.length() - length)) << length;
        EXPECT_EQ(z.zone(z.count() - 1), reversezones::ZoneName(n.broadcast(), z.length())) << length;
        EXPECT_EQ(z.zone(0), reversezones::ZoneName(n.network(), z.length())) << length;
    }
}

// Python's ipaddress: the compressed and exploded forms of random values
// with runs of zero hextets, and the PTR names of both families.
TEST(IPv6Text, AgreesWithPythonsIpaddress)
{
    const char* script = R"(
import ipaddress, random
r = random.Random(6)
for i in range(3000):
    v = 0
    for _ in range(8):
        v = v << 16 | (0 if r.random() < 0.5 else r.getrandbits(r.choice((4, 8, 16))))
    if i % 10 == 0:
        v = 0xffff << 32 | r.getrandbits(32)
    a = ipaddress.IPv6Address(v)
    m = a.ipv4_mapped
    text = '::ffff:' + str(m) if m is not None else a.compressed
    four = ipaddress.IPv4Address(r.getrandbits(32))
    print(v >> 64, v & (2**64 - 1), text, a.exploded, a.reverse_pointer, int(four), four.reverse_pointer)
)";
    const auto printed = PythonPrints(script);
    if (!printed)
        GTEST_SKIP() << "no python3";
    std::istringstream lines(*printed);
    int checked = 0;
    for (std::string line; std::getline(lines, line); ++checked) {
        std::istringstream in(line);
        std::uint64_t high, low, four;
        std::string compressed, exploded, pointer, pointer4;
        in >> high >> low >> compressed >> exploded >> pointer >> four >> pointer4;
        const net::uint128 v = net::uint128(high) << 64 | low;
        ASSERT_EQ(ipv6text::ToString(v), compressed) << line;
        ASSERT_EQ(ipv6text::Expanded(v), exploded) << line;
        ASSERT_EQ(v6(compressed.c_str()), v) << line;
        ASSERT_EQ(reversezones::ZoneName(v, 128), pointer) << line;
        ASSERT_EQ(reversezones::ZoneName(std::uint32_t(four), 32), pointer4) << line;
    }
    EXPECT_EQ(checked, 3000);
}

} // namespace
