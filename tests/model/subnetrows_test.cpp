// The subnet table's rows for every kind of class network and mask, and the
// planner line's requests.
#include "model/planrequests.h"
#include "model/subnetrows.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t addr(int a, int b, int c, int d)
{
    return std::uint32_t(a) << 24 | std::uint32_t(b) << 16 | std::uint32_t(c) << 8 | std::uint32_t(d);
}

using subnetrows::Note;

struct RowCase {
    std::uint64_t number;
    std::uint32_t network;
    int length;
    bool hasHosts;
    std::uint32_t first, last, broadcast;
    std::uint64_t hosts;
    Note note;
};

struct TableCase {
    const char* what;
    std::uint32_t address;
    int maskBits;
    std::uint64_t size;
    std::uint64_t current;
    std::vector<RowCase> rows; // first, a middle one, last
};

TEST(SubnetRows, EveryKindOfClassNetworkAndMask)
{
    const TableCase cases[] = {
        {"class C, 2 bits borrowed", addr(192, 168, 1, 77), 26, 4, 1,
         {{0, addr(192, 168, 1, 0), 26, true, addr(192, 168, 1, 1), addr(192, 168, 1, 62), addr(192, 168, 1, 63), 62,
           Note::SubnetZero},
          {1, addr(192, 168, 1, 64), 26, true, addr(192, 168, 1, 65), addr(192, 168, 1, 126), addr(192, 168, 1, 127),
           62, Note::None},
          {3, addr(192, 168, 1, 192), 26, true, addr(192, 168, 1, 193), addr(192, 168, 1, 254),
           addr(192, 168, 1, 255), 62, Note::AllOnes}}},
        {"class B, one bit: both rows are special", addr(172, 16, 200, 1), 17, 2, 1,
         {{0, addr(172, 16, 0, 0), 17, true, addr(172, 16, 0, 1), addr(172, 16, 127, 254), addr(172, 16, 127, 255),
           32766, Note::SubnetZero},
          {1, addr(172, 16, 128, 0), 17, true, addr(172, 16, 128, 1), addr(172, 16, 255, 254),
           addr(172, 16, 255, 255), 32766, Note::AllOnes}}},
        {"class B /20", addr(172, 16, 5, 10), 20, 16, 0,
         {{15, addr(172, 16, 240, 0), 20, true, addr(172, 16, 240, 1), addr(172, 16, 255, 254),
           addr(172, 16, 255, 255), 4094, Note::AllOnes}}},
        {"class A /31: no hosts without RFC 3021", addr(10, 1, 2, 3), 31, 8388608, 33025,
         {{33025, addr(10, 1, 2, 2), 31, false, 0, 0, addr(10, 1, 2, 3), 0, Note::None},
          {8388607, addr(10, 255, 255, 254), 31, false, 0, 0, addr(10, 255, 255, 255), 0, Note::AllOnes}}},
        {"class A /32", addr(10, 1, 2, 3), 32, 16777216, 66051,
         {{66051, addr(10, 1, 2, 3), 32, false, 0, 0, addr(10, 1, 2, 3), 0, Note::None}}},
        {"class C network not subnetted", addr(192, 168, 1, 1), 24, 1, 0,
         {{0, addr(192, 168, 1, 0), 24, true, addr(192, 168, 1, 1), addr(192, 168, 1, 254), addr(192, 168, 1, 255),
           254, Note::None}}},
        {"supernet: one row per class C network joined", addr(192, 168, 17, 1), 20, 16, 1,
         {{0, addr(192, 168, 16, 0), 24, true, addr(192, 168, 16, 1), addr(192, 168, 16, 254),
           addr(192, 168, 16, 255), 254, Note::None},
          {15, addr(192, 168, 31, 0), 24, true, addr(192, 168, 31, 1), addr(192, 168, 31, 254),
           addr(192, 168, 31, 255), 254, Note::None}}},
        {"supernet of class B networks", addr(172, 20, 1, 1), 8, 256, 20,
         {{255, addr(172, 255, 0, 0), 16, true, addr(172, 255, 0, 1), addr(172, 255, 255, 254),
           addr(172, 255, 255, 255), 65534, Note::None}}},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.what);
        const subnetrows::Table t(c.address, c.maskBits);
        EXPECT_EQ(t.size(), c.size);
        EXPECT_EQ(t.current(), c.current);
        EXPECT_TRUE(t.row(t.current()).block.contains(c.address));
        for (const RowCase& want : c.rows) {
            SCOPED_TRACE(want.number);
            const subnetrows::Row r = t.row(want.number);
            EXPECT_EQ(r.number, want.number);
            EXPECT_EQ(r.block.network(), want.network);
            EXPECT_EQ(r.block.length(), want.length);
            EXPECT_EQ(r.hasHosts, want.hasHosts);
            if (want.hasHosts) {
                EXPECT_EQ(r.firstHost, want.first);
                EXPECT_EQ(r.lastHost, want.last);
            }
            EXPECT_EQ(r.block.broadcast(), want.broadcast);
            EXPECT_EQ(r.hosts, want.hosts);
            EXPECT_EQ(r.note, want.note);
            // A double-click shows the first usable host, or the network address.
            EXPECT_EQ(subnetrows::AddressOf(r), want.hasHosts ? want.first : want.network);
        }
    }
}

TEST(PlanRequests, LinesAndTheirMistakes)
{
    std::string problem;
    const auto ok = planrequests::ParseLine("50 14,lab=10\t2 ", &problem);
    ASSERT_TRUE(ok) << problem;
    ASSERT_EQ(ok->size(), 4u);
    EXPECT_EQ((*ok)[2].name, "lab");
    EXPECT_EQ((*ok)[2].hosts, 10u);
    EXPECT_EQ((*ok)[3].hosts, 2u);

    const struct {
        const char* line;
        const char* problem;
    } bad[] = {
        {"50 0", "\"0\": a request must ask for at least 1 host"},
        {"50 x", "\"x\": the host count is not a whole number"},
        {"-5", "\"-5\": the host count is not a whole number"},
        {"=5", "\"=5\": a name before \"=\" is missing"},
        {"lab=", "\"lab=\": the host count is missing"},
        {"99999999999999999999999", "\"99999999999999999999999\": more hosts than any network holds"},
        {"  , ", "no host counts to plan"},
    };
    for (const auto& b : bad) {
        problem.clear();
        EXPECT_FALSE(planrequests::ParseLine(b.line, &problem)) << b.line;
        EXPECT_EQ(problem, b.problem) << b.line;
    }
}

} // namespace
