// The network type, the planner and its request line, the subnet table's
// rows and the dotted-decimal reader and writer, against plain arithmetic and
// worked tables.
#include "model/classtable.h"
#include "model/dotted.h"
#include "model/network.h"
#include "model/planner.h"
#include "model/planrequests.h"

#include "model/python.h"

#include <gtest/gtest.h>


#include <random>
#include <sstream>
#include <vector>

namespace {

using net::Network4;

std::uint32_t ip(const char* text)
{
    const auto v = dotted::Parse(text);
    EXPECT_TRUE(v) << text;
    return v.value_or(0);
}

// "A.B.C.D/L" to a network, and back.
Network4 cidr(const std::string& text)
{
    const size_t slash = text.find('/');
    return Network4(ip(text.substr(0, slash).c_str()), std::stoi(text.substr(slash + 1)));
}
std::string str(const Network4& n)
{
    return dotted::ToString(n.address()) + '/' + std::to_string(n.length());
}

std::string blocksOf(std::uint32_t first, std::uint32_t last)
{
    std::string all;
    net::RangeBlocks<32>(first, last, [&](const Network4& n) { all += (all.empty() ? "" : " ") + str(n); });
    return all;
}

TEST(Network, EveryLengthAgainstArithmetic)
{
    std::mt19937 random(23);
    for (int length = 0; length <= 32; ++length) {
        for (std::uint32_t a : {0u, 0xFFFFFFFFu, 0x80000000u, std::uint32_t(random()), std::uint32_t(random())}) {
            SCOPED_TRACE(dotted::ToString(a) + '/' + std::to_string(length));
            const std::uint64_t size = std::uint64_t(1) << (32 - length);
            const std::uint32_t mask = std::uint32_t((std::uint64_t(1) << 32) - size);
            const std::uint32_t network = a & mask;
            const std::uint32_t broadcast = std::uint32_t(network + size - 1);
            const Network4 n(a, length);
            EXPECT_TRUE(Network4::validLength(length));
            EXPECT_EQ(n.mask(), mask);
            EXPECT_EQ(Network4::lengthOfMask(mask), length);
            EXPECT_EQ(n.hostmask(), ~mask);
            EXPECT_EQ(n.network(), network);
            EXPECT_EQ(n.broadcast(), broadcast);
            EXPECT_EQ(n.size(), size);
            EXPECT_EQ(n.hosts(), size >= 4 ? size - 2 : 0);
            EXPECT_EQ(n.hosts(true), size >= 4 ? size - 2 : size);
            if (size >= 4) {
                EXPECT_EQ(n.firstHost(), network + 1);
                EXPECT_EQ(n.lastHost(), broadcast - 1);
            } else {
                // RFC 3021: a /31 has both its addresses, a /32 its one.
                EXPECT_FALSE(n.hasHosts());
                EXPECT_EQ(n.firstHost(true), network);
                EXPECT_EQ(n.lastHost(true), broadcast);
            }
            EXPECT_TRUE(n.contains(a));
            EXPECT_TRUE(n.contains(network) && n.contains(broadcast));
            EXPECT_EQ(n.contains(std::uint32_t(broadcast + 1)), length == 0 || broadcast == 0xFFFFFFFF ? length == 0 : false);
            EXPECT_EQ(n.trunc(), Network4(network, length));
        }
    }
    EXPECT_FALSE(Network4::validLength(-1));
    EXPECT_FALSE(Network4::validLength(33));
    // A one after a zero is no mask.
    for (std::uint32_t notMask : {1u, 0x7FFFFFFFu, 0xFFFFFF7Fu, 0xFFFEFF00u})
        EXPECT_EQ(Network4::lengthOfMask(notMask), -1) << notMask;
}

TEST(Network, RowsOfSplits)
{
    const std::tuple<const char*, int, std::uint64_t, std::uint64_t, const char*> rows[] = {
        // parent, new length, rows, row, the row
        {"10.1.2.3/8", 30, 4194304, 16513, "10.1.2.4/30"},
        {"10.1.2.3/8", 30, 4194304, 4194303, "10.255.255.252/30"},
        {"0.0.0.0/0", 32, std::uint64_t(1) << 32, 0xFFFFFFFF, "255.255.255.255/32"},
        {"0.0.0.0/0", 1, 2, 1, "128.0.0.0/1"},
        {"192.168.1.77/26", 26, 1, 0, "192.168.1.64/26"},
        {"192.168.1.0/24", 31, 128, 127, "192.168.1.254/31"},
    };
    for (const auto& [parent, length, count, row, expected] : rows) {
        const auto split = cidr(parent).subnets(length);
        EXPECT_EQ(split.size(), count) << parent;
        EXPECT_EQ(str(split[row]), expected) << parent << " row " << row;
        EXPECT_EQ(split.rowOf(cidr(expected).network()), row) << parent;
        EXPECT_EQ(split.rowOf(cidr(expected).broadcast()), row) << parent;
        EXPECT_EQ(str(*(split.begin() + std::int64_t(row))), expected);
        EXPECT_EQ(split.end() - split.begin(), std::int64_t(count));
    }
    // Rows tile the parent in order.
    const auto split = cidr("172.16.0.0/12").subnets(16);
    std::uint32_t next = cidr("172.16.0.0/12").network();
    for (const Network4& n : split) {
        EXPECT_EQ(n.network(), next);
        next = n.broadcast() + 1;
    }
    EXPECT_EQ(next, ip("172.32.0.0"));
}

TEST(Network, ContainsOverlapsAndOrder)
{
    const std::tuple<const char*, const char*, bool, bool, bool> rows[] = {
        // a, b, a contains b, they overlap, a < b
        {"10.0.0.0/8", "10.1.0.0/16", true, true, true},
        {"10.1.0.0/16", "10.0.0.0/8", false, true, false},
        {"10.0.0.0/8", "10.0.0.0/8", true, true, false},
        {"0.0.0.0/0", "255.255.255.255/32", true, true, true},
        {"192.168.1.0/25", "192.168.1.128/25", false, false, true},
        {"192.168.1.77/24", "192.168.1.0/24", true, true, false}, // same block: ordered by address
        {"192.168.1.0/24", "192.168.1.77/24", true, true, true},
        {"192.168.0.0/16", "192.168.0.0/24", true, true, true}, // same start: the shorter length first
    };
    for (const auto& [a, b, contains, overlaps, less] : rows) {
        const Network4 x = cidr(a), y = cidr(b);
        EXPECT_EQ(x.contains(y), contains) << a << " " << b;
        EXPECT_EQ(x.overlaps(y), overlaps) << a << " " << b;
        EXPECT_EQ(y.overlaps(x), overlaps) << a << " " << b;
        EXPECT_EQ(x < y, less) << a << " " << b;
        EXPECT_EQ(x == y, !less && !(y < x)) << a << " " << b;
    }
    const std::tuple<const char*, int, const char*> supernets[] = {
        {"192.168.1.77/26", 24, "192.168.1.0/24"},
        {"192.168.1.77/26", 0, "0.0.0.0/0"},
        {"10.255.1.1/32", 9, "10.128.0.0/9"},
        {"10.255.1.1/32", 32, "10.255.1.1/32"},
    };
    for (const auto& [from, length, expected] : supernets)
        EXPECT_EQ(str(cidr(from).supernet(length)), expected) << from;
}

TEST(Network, RangeBlocksAreTheFewestThatCoverExactly)
{
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"0.0.0.0", "255.255.255.255", "0.0.0.0/0"},
        {"10.0.0.5", "10.0.0.5", "10.0.0.5/32"},
        {"255.255.255.255", "255.255.255.255", "255.255.255.255/32"},
        {"10.0.0.0", "10.0.0.255", "10.0.0.0/24"},
        {"10.0.0.1", "10.0.0.254", "10.0.0.1/32 10.0.0.2/31 10.0.0.4/30 10.0.0.8/29 10.0.0.16/28 10.0.0.32/27 "
                                   "10.0.0.64/26 10.0.0.128/26 10.0.0.192/27 10.0.0.224/28 10.0.0.240/29 "
                                   "10.0.0.248/30 10.0.0.252/31 10.0.0.254/32"},
        {"192.168.0.64", "192.168.3.255", "192.168.0.64/26 192.168.0.128/25 192.168.1.0/24 192.168.2.0/23"},
        {"0.0.0.1", "255.255.255.255", "0.0.0.1/32 0.0.0.2/31 0.0.0.4/30 0.0.0.8/29 0.0.0.16/28 0.0.0.32/27 "
                                       "0.0.0.64/26 0.0.0.128/25 0.0.1.0/24 0.0.2.0/23 0.0.4.0/22 0.0.8.0/21 "
                                       "0.0.16.0/20 0.0.32.0/19 0.0.64.0/18 0.0.128.0/17 0.1.0.0/16 0.2.0.0/15 "
                                       "0.4.0.0/14 0.8.0.0/13 0.16.0.0/12 0.32.0.0/11 0.64.0.0/10 0.128.0.0/9 "
                                       "1.0.0.0/8 2.0.0.0/7 4.0.0.0/6 8.0.0.0/5 16.0.0.0/4 32.0.0.0/3 64.0.0.0/2 "
                                       "128.0.0.0/1"},
    };
    for (const auto& [first, last, blocks] : rows)
        EXPECT_EQ(blocksOf(ip(first), ip(last)), blocks) << first << "-" << last;
}

// Python's ipaddress, when there is a python3, on random networks, splits
// and ranges: one line each of what it says, checked here.
TEST(Network, AgreesWithPythonsIpaddress)
{
    const char* script = R"(
import ipaddress, random
r = random.Random(11)
for _ in range(1000):
    a, n = r.getrandbits(32), r.randint(0, 32)
    net = ipaddress.IPv4Interface((a, n)).network
    m = r.randint(n, 32)
    subs = 1 << (m - n)
    i = r.randrange(subs)
    row = ipaddress.IPv4Network((int(net.network_address) + (i << (32 - m)), m))
    first, last = sorted((r.getrandbits(32), r.getrandbits(32) >> r.randint(0, 32)))
    blocks = ipaddress.summarize_address_range(ipaddress.IPv4Address(first), ipaddress.IPv4Address(last))
    print(a, n, int(net.network_address), int(net.broadcast_address), int(net.netmask), int(net.hostmask),
          net.num_addresses, m, i, int(row.network_address), first, last, ' '.join(b.with_prefixlen for b in blocks))
)";
    const auto printed = PythonPrints(script);
    if (!printed)
        GTEST_SKIP() << "no python3";
    std::istringstream lines(*printed);
    int checked = 0;
    for (std::string line; std::getline(lines, line); ++checked) {
        std::istringstream in(line);
        std::uint64_t a, network, broadcast, mask, hostmask, size, row, rowNetwork, first, last;
        int length, newLength;
        in >> a >> length >> network >> broadcast >> mask >> hostmask >> size >> newLength >> row >> rowNetwork >>
            first >> last;
        std::string blocks;
        std::getline(in >> std::ws, blocks);
        const Network4 n(std::uint32_t(a), length);
        ASSERT_EQ(n.network(), network) << line;
        ASSERT_EQ(n.broadcast(), broadcast) << line;
        ASSERT_EQ(n.mask(), mask) << line;
        ASSERT_EQ(n.hostmask(), hostmask) << line;
        ASSERT_EQ(n.size(), size) << line;
        const auto split = n.subnets(newLength);
        ASSERT_EQ(split[row].network(), rowNetwork) << line;
        ASSERT_EQ(split.rowOf(std::uint32_t(rowNetwork)), row) << line;
        ASSERT_EQ(blocksOf(std::uint32_t(first), std::uint32_t(last)), blocks) << line;
    }
    EXPECT_EQ(checked, 1000);
}

TEST(Planner, HostCountsToBlocks)
{
    struct Case {
        const char* within;
        std::vector<std::uint64_t> hosts;
        bool rfc3021;
        std::vector<const char*> blocks; // in the order asked
        std::vector<const char*> unused;
    };
    const Case cases[] = {
        // Exact fits: 62 hosts fill a /26, 2 a /30.
        {"192.168.1.0/24", {62, 62, 62, 62}, false, {"192.168.1.0/26", "192.168.1.64/26", "192.168.1.128/26", "192.168.1.192/26"}, {}},
        // Largest first; 14 hosts take a /28 and 50 a /26 (not a /29 and a /27).
        {"192.168.1.0/24", {14, 50, 2}, false, {"192.168.1.64/28", "192.168.1.0/26", "192.168.1.80/30"},
         {"192.168.1.84/30", "192.168.1.88/29", "192.168.1.96/27", "192.168.1.128/25"}},
        // Ties keep the order given.
        {"10.0.0.0/24", {20, 30, 25}, false, {"10.0.0.0/27", "10.0.0.32/27", "10.0.0.64/27"}, {"10.0.0.96/27", "10.0.0.128/25"}},
        // One more host than a block holds takes the next size.
        {"10.0.0.0/24", {63}, false, {"10.0.0.0/25"}, {"10.0.0.128/25"}},
        // RFC 3021: two hosts on a /31, one on a /32; without it a /30 each.
        {"10.0.0.0/29", {2, 1, 1}, true, {"10.0.0.0/31", "10.0.0.2/32", "10.0.0.3/32"}, {"10.0.0.4/30"}},
        {"10.0.0.0/28", {2, 1}, false, {"10.0.0.0/30", "10.0.0.4/30"}, {"10.0.0.8/29"}},
        // The whole space.
        {"0.0.0.0/0", {4294967294u}, false, {"0.0.0.0/0"}, {}},
    };
    for (const Case& c : cases) {
        std::vector<net::PlanRequest> requests;
        for (std::uint64_t h : c.hosts)
            requests.push_back({"", h});
        const auto plan = net::PlanSubnets(cidr(c.within), requests, c.rfc3021);
        SCOPED_TRACE(c.within);
        ASSERT_TRUE(plan.fits);
        ASSERT_EQ(plan.allocations.size(), c.blocks.size());
        for (size_t i = 0; i < c.blocks.size(); ++i) {
            EXPECT_EQ(str(plan.allocations[i].block), c.blocks[i]) << i;
            EXPECT_EQ(plan.allocations[i].hosts, plan.allocations[i].block.hosts(c.rfc3021));
            EXPECT_GE(plan.allocations[i].hosts, c.hosts[i]);
        }
        std::vector<std::string> unused;
        for (const Network4& n : plan.unused)
            unused.push_back(str(n));
        EXPECT_EQ(unused, std::vector<std::string>(c.unused.begin(), c.unused.end()));
    }
}

TEST(Planner, WhatDoesNotFitSaysHowManyAddressesAreMissing)
{
    const std::tuple<const char*, std::vector<std::uint64_t>, std::uint64_t> rows[] = {
        {"192.168.1.0/24", {100, 100, 100}, 128},             // three /25s in a /24
        {"10.0.0.0/30", {3}, 4},                              // a /29 in a /30
        {"0.0.0.0/0", {4294967295u}, 4294967296u},            // more hosts than the space: a /-1
        {"10.0.0.0/8", {std::uint64_t(1) << 40}, (std::uint64_t(1) << 41) - (1 << 24)},
        {"10.0.0.0/8", {~std::uint64_t(0), ~std::uint64_t(0)}, ~std::uint64_t(0) - (1 << 24)},
    };
    for (const auto& [within, hosts, missing] : rows) {
        std::vector<net::PlanRequest> requests;
        for (std::uint64_t h : hosts)
            requests.push_back({"", h});
        const auto plan = net::PlanSubnets(cidr(within), requests, false);
        EXPECT_FALSE(plan.fits) << within;
        EXPECT_EQ(plan.missing, missing) << within;
        EXPECT_TRUE(plan.allocations.empty() && plan.unused.empty()) << within;
    }
    EXPECT_EQ(net::BlockLengthFor<32>(4294967295u, false), -1);
    EXPECT_EQ(net::BlockLengthFor<32>(4294967294u, true), 0);
}

// The planner line: requests split on blanks and commas, the first bad one
// named. The reasons themselves are the command line's (tests/cli).
TEST(PlanRequests, ALineIsSplitOnBlanksAndCommas)
{
    std::string problem;
    const auto ok = planrequests::ParseLine(" 50 14,lab=10\t2,,x.y-z_9=4294967294 ", false, problem);
    ASSERT_TRUE(ok) << problem;
    ASSERT_EQ(ok->size(), 5u);
    EXPECT_EQ((*ok)[0].hosts, 50u);
    EXPECT_EQ((*ok)[2].name, "lab");
    EXPECT_EQ((*ok)[2].hosts, 10u);
    EXPECT_EQ((*ok)[3].hosts, 2u);
    EXPECT_EQ((*ok)[4].name, "x.y-z_9");
    EXPECT_EQ((*ok)[4].hosts, planrequests::MaxHosts(false));
}

TEST(PlanRequests, TheFirstBadRequestOnALineIsNamed)
{
    const struct {
        const char* line;
        const char* problem;
    } bad[] = {
        {"50 x 0", "request \"x\": host count \"x\" is not a decimal number"},
        {"lab=5 wan=2 lab=3", "request \"lab=3\": name \"lab\" is given twice"},
        {"a=b=1", "request \"a=b=1\": host count \"b=1\" is not a decimal number"},
        {"  , ", "no host counts to plan"},
    };
    for (const auto& b : bad) {
        std::string problem;
        EXPECT_FALSE(planrequests::ParseLine(b.line, true, problem)) << b.line;
        EXPECT_EQ(problem, b.problem) << b.line;
    }
}

// The subnet table's rows: the class network split at the mask, or the class
// networks a supernet joins, read row by row.
TEST(ClassTable, RowsOfEachKindOfTable)
{
    struct Case {
        const char* address;
        int bits;
        bool rfc3021;
        char letter;
        classtable::Count rows, current, row;
        const char* network;
        const char* first; // "" when the row has no hosts
        const char* last;
        const char* broadcast;
        classtable::Count hosts;
        bool zero, allOnes;
    };
    const Case cases[] = {
        // Class C in four: subnet zero, the current row, the all-ones subnet.
        {"192.168.1.77", 26, false, 'C', 4, 1, 0, "192.168.1.0/26", "192.168.1.1", "192.168.1.62", "192.168.1.63", 62, true, false},
        {"192.168.1.77", 26, false, 'C', 4, 1, 1, "192.168.1.64/26", "192.168.1.65", "192.168.1.126", "192.168.1.127", 62, false, false},
        {"192.168.1.77", 26, false, 'C', 4, 1, 3, "192.168.1.192/26", "192.168.1.193", "192.168.1.254", "192.168.1.255", 62, false, true},
        // Class B with one bit borrowed: both rows are set aside.
        {"172.16.200.1", 17, false, 'B', 2, 1, 0, "172.16.0.0/17", "172.16.0.1", "172.16.127.254", "172.16.127.255", 32766, true, false},
        {"172.16.200.1", 17, false, 'B', 2, 1, 1, "172.16.128.0/17", "172.16.128.1", "172.16.255.254", "172.16.255.255", 32766, false, true},
        // Class B, last row.
        {"172.16.37.1", 20, false, 'B', 16, 2, 15, "172.16.240.0/20", "172.16.240.1", "172.16.255.254", "172.16.255.255", 4094, false, true},
        // Class A with 31 bits: 8,388,608 rows; /31 rows have hosts only by RFC 3021.
        {"10.1.2.3", 31, false, 'A', 8388608, 33025, 33025, "10.1.2.2/31", "", "", "10.1.2.3", 0, false, false},
        {"10.1.2.3", 31, true, 'A', 8388608, 33025, 8388607, "10.255.255.254/31", "10.255.255.254", "10.255.255.255", "10.255.255.255", 2, false, true},
        {"10.1.2.3", 32, true, 'A', 16777216, 66051, 0, "10.0.0.0/32", "10.0.0.0", "10.0.0.0", "10.0.0.0", 1, true, false},
        // The mask is the class's: one row and no notes.
        {"10.9.9.9", 8, false, 'A', 1, 0, 0, "10.0.0.0/8", "10.0.0.1", "10.255.255.254", "10.255.255.255", 16777214, false, false},
        // A supernet: one row per class C network it joins, no notes.
        {"192.168.5.9", 22, false, 'C', 4, 1, 3, "192.168.7.0/24", "192.168.7.1", "192.168.7.254", "192.168.7.255", 254, false, false},
        {"172.20.1.1", 8, false, 'B', 256, 20, 255, "172.255.0.0/16", "172.255.0.1", "172.255.255.254", "172.255.255.255", 65534, false, false},
        // Classes D and E count 8 network bits, as the window's counts do.
        {"224.1.2.3", 16, false, 'D', 256, 1, 255, "224.255.0.0/16", "224.255.0.1", "224.255.255.254", "224.255.255.255", 65534, false, true},
        {"255.255.255.255", 30, false, 'E', 4194304, 4194303, 4194303, "255.255.255.252/30", "255.255.255.253", "255.255.255.254", "255.255.255.255", 2, false, true},
    };
    for (const Case& c : cases) {
        const classtable::ClassTable table(ip(c.address), c.bits, c.rfc3021);
        SCOPED_TRACE(std::string(c.address) + '/' + std::to_string(c.bits) + " row " + std::to_string(c.row));
        EXPECT_EQ(table.classLetter(), c.letter);
        EXPECT_EQ(table.rowCount(), c.rows);
        EXPECT_EQ(table.currentRow(), c.current);
        EXPECT_TRUE(table.row(table.currentRow()).network.contains(ip(c.address)));
        const classtable::Row r = table.row(c.row);
        EXPECT_EQ(r.number, c.row);
        EXPECT_EQ(str(r.network), c.network);
        EXPECT_EQ(r.hasHosts, *c.first != 0);
        if (r.hasHosts) {
            EXPECT_EQ(dotted::ToString(r.first), c.first);
            EXPECT_EQ(dotted::ToString(r.last), c.last);
        }
        EXPECT_EQ(dotted::ToString(r.broadcast), c.broadcast);
        EXPECT_EQ(r.hosts, c.hosts);
        EXPECT_EQ(r.note, c.zero      ? classtable::Note::SubnetZero
                          : c.allOnes ? classtable::Note::AllOnes
                                      : classtable::Note::None);
        EXPECT_EQ(table.isSubnetZero(c.row), c.zero);
        EXPECT_EQ(table.isAllOnes(c.row), c.allOnes);
        // A double-click shows the first usable host, or the network address.
        const std::string network = c.network;
        EXPECT_EQ(dotted::ToString(classtable::AddressOf(r)), r.hasHosts ? c.first : network.substr(0, network.find('/')));
    }
}

TEST(ClassTable, TheClassNetworkAndWhatIsSplit)
{
    const classtable::ClassTable sub(ip("172.16.37.1"), 20);
    EXPECT_EQ(str(sub.classNetwork()), "172.16.0.0/16");
    EXPECT_EQ(str(sub.parent()), "172.16.0.0/16");
    EXPECT_TRUE(sub.subnetted());
    EXPECT_FALSE(sub.supernet());
    const classtable::ClassTable super(ip("192.168.5.9"), 22);
    EXPECT_EQ(str(super.classNetwork()), "192.168.5.0/24");
    EXPECT_EQ(str(super.parent()), "192.168.4.0/22");
    EXPECT_TRUE(super.supernet());
    EXPECT_EQ(super.blocks().length(), 24);
}

TEST(Dotted, BadInputIsRefusedWithItsReason)
{
    const std::pair<const char*, const char*> rows[] = {
        {"", "the address has 1 part; it needs 4 octets"},
        {"1.2.3", "the address has 3 parts; it needs 4 octets"},
        {"1.2.3.4.5", "the address has 5 parts; it needs 4 octets"},
        {"1..3.4", "octet 2 is empty"},
        {"1.2.3.", "octet 4 is empty"},
        {"1.2.3.256", "octet 4 \"256\" is more than 255"},
        {"1.2.3.1000", "octet 4 \"1000\" is more than 255"},
        {"01.2.3.4", "octet 1 \"01\" has a leading zero"},
        {"1.2.3.00", "octet 4 \"00\" has a leading zero"},
        {"1.2.3.-4", "octet 4 \"-4\" is not a decimal number"},
        {"1.2.3.+4", "octet 4 \"+4\" is not a decimal number"},
        {" 1.2.3.4", "octet 1 \" 1\" is not a decimal number"},
        {"1.2.3.0x1", "octet 4 \"0x1\" is not a decimal number"},
        {"1.2.3.4\n", "octet 4 \"4\\x0a\" is not a decimal number"},
    };
    for (const auto& [text, reason] : rows) {
        std::string problem;
        EXPECT_FALSE(dotted::Parse(text, &problem)) << text;
        EXPECT_EQ(problem, reason) << text;
    }
    std::string problem;
    EXPECT_FALSE(dotted::Parse("255.0.256.0", &problem, "the mask", "mask octet"));
    EXPECT_EQ(problem, "mask octet 3 \"256\" is more than 255");
}

TEST(Dotted, FormatReadsBack)
{
    std::mt19937 random(5);
    std::vector<std::uint32_t> values = {0, 1, 255, 256, 0x0A000001, 0x7F000001, 0xFFFFFFFF, 0x01020304};
    for (int i = 0; i < 1000; ++i)
        values.push_back(std::uint32_t(random()));
    for (std::uint32_t v : values) {
        const std::string text = dotted::ToString(v);
        EXPECT_LE(text.size(), dotted::kMaxLength);
        EXPECT_EQ(dotted::Parse(text), v) << text;
    }
    EXPECT_EQ(dotted::ToString(0xC0A8014D), "192.168.1.77");
    EXPECT_EQ(dotted::ToString(0xFFFFFFFF), "255.255.255.255");
}

} // namespace
