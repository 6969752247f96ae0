// The subnet table's rows: the class network split at the mask, or the class
// networks a supernet joins, read row by row.
#include "model/classtable.h"
#include "model/dotted.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t ip(const char* text)
{
    return *dotted::Parse(text);
}

std::string cidr(const net::Network4& n)
{
    return dotted::ToString(n.address()) + '/' + std::to_string(n.length());
}

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
        EXPECT_EQ(cidr(r.network), c.network);
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
    EXPECT_EQ(cidr(sub.classNetwork()), "172.16.0.0/16");
    EXPECT_EQ(cidr(sub.parent()), "172.16.0.0/16");
    EXPECT_TRUE(sub.subnetted());
    EXPECT_FALSE(sub.supernet());
    const classtable::ClassTable super(ip("192.168.5.9"), 22);
    EXPECT_EQ(cidr(super.classNetwork()), "192.168.5.0/24");
    EXPECT_EQ(cidr(super.parent()), "192.168.4.0/22");
    EXPECT_TRUE(super.supernet());
    EXPECT_EQ(super.blocks().length(), 24);
}

} // namespace
