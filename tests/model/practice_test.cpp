// Practice sets: what a seed draws, that only defined questions are drawn
// within the options, and how answers are read and checked under both
// subnet counts and with and without RFC 3021.
#include "model/addressclass.h"
#include "model/dotted.h"
#include "model/practice.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using namespace practice;
using net::Network4;

Network4 cidr(const std::string& text)
{
    std::string problem;
    const auto a = ParseAnswer(Field::Network, text, problem);
    EXPECT_TRUE(a) << text << ": " << problem;
    return a ? a->network : Network4();
}

Question question(Kind kind, const std::string& given, bool subnetZero = false, bool rfc3021 = false)
{
    Question q;
    q.kind = kind;
    q.given = cidr(given);
    q.classLetter = addressclass::Of(q.given.address()).letter;
    q.classBits = addressclass::Of(q.given.address()).bits;
    q.subnetZero = subnetZero;
    q.rfc3021 = rfc3021;
    return q;
}

Verdict check(const Question& q, const std::string& answer)
{
    std::string problem;
    const auto a = ParseAnswer(FieldOf(q.kind), answer, problem);
    EXPECT_TRUE(a) << answer << ": " << problem;
    return Check(q, a.value_or(Answer()));
}

std::string asked(const std::vector<Question>& set)
{
    std::string s;
    for (const Question& q : set)
        s += PromptText(q) + " => " + AnswerText(FieldOf(q.kind), RightAnswer(q)) + "\n";
    return s;
}

// The set a seed gives is part of the program's promise: a teacher's handed-out
// seed must keep giving the same questions, in the window and the terminal.
TEST(PracticeDraw, ASeedGivesTheSameSetAndItsFirstQuestionsArePinned)
{
    Options o;
    o.seed = 2026;
    o.count = 6;
    EXPECT_EQ(asked(DrawSet(o)),
              "Which subnet holds host 170.96.66.156 with mask 255.255.224.0? => 170.96.64.0/19\n"
              "153.21.114.44/22: what is the network address? => 153.21.112.0\n"
              "219.71.3.140/26: what is the broadcast address? => 219.71.3.191\n"
              "What is the summary route of 176.98.33.0/29, 176.98.33.24/29 and 176.98.33.56/29? => 176.98.33.0/26\n"
              "What is the dotted mask of /19? => 255.255.224.0\n"
              "209.244.175.98/19: how many usable hosts does each subnet have? => 8190\n");
    Options other = o;
    std::string problem;
    other.kinds = *ParseKinds("vlsm,summary,WHICH", problem);
    o.kinds = *ParseKinds("which,summary,vlsm", problem);
    EXPECT_EQ(asked(DrawSet(o)), asked(DrawSet(other)));
    other.seed = 2027;
    EXPECT_NE(asked(DrawSet(o)), asked(DrawSet(other)));
    EXPECT_EQ(CommandLine(o), "quillmark --practice --seed 2026 --count 6 --types which,summary,vlsm");
}

// Many option sets: every question is of a chosen kind, class and length,
// defined under the conventions, and its right answer checks as right.
TEST(PracticeDraw, OnlyDefinedQuestionsWithinTheOptions)
{
    std::mt19937 pick(7);
    std::set<Kind> seen;
    bool sawNone = false;
    for (int round = 0; round < 1500; ++round) {
        Options o;
        o.seed = pick();
        o.count = 40;
        o.kinds = pick() % (kAllKinds + 1);
        o.classes = pick() % 8;
        o.shortest = 8 + int(pick() % 25);
        o.longest = o.shortest + int(pick() % (33 - o.shortest));
        o.subnetZero = pick() % 2;
        o.rfc3021 = pick() % 2;
        if (round == 0) // the defaults draw every kind
            o = Options{}, o.count = 300;
        if (!OptionsFault(o).empty()) {
            EXPECT_TRUE(DrawSet(o).empty());
            continue;
        }
        for (const Question& q : DrawSet(o)) {
            const std::string what = PromptText(q);
            seen.insert(q.kind);
            ASSERT_TRUE(o.kinds & BitOf(q.kind)) << what;
            const int m = q.given.length();
            const int c = addressclass::Of(q.given.address()).bits;
            const Verdict right = Check(q, RightAnswer(q));
            EXPECT_TRUE(right.right) << what;
            sawNone = sawNone || right.expected.none;
            if (q.kind == Kind::MaskForLength || q.kind == Kind::LengthForMask) {
                EXPECT_TRUE(m >= o.shortest && m <= o.longest) << what;
                continue;
            }
            EXPECT_TRUE(o.classes & (1u << (q.classLetter - 'A'))) << what;
            EXPECT_EQ(q.classLetter, addressclass::Of(q.given.address()).letter) << what;
            if (q.kind == Kind::Summary) {
                ASSERT_GE(q.networks.size(), 2u);
                ASSERT_LE(q.networks.size(), 4u);
                for (const Network4& n : q.networks)
                    EXPECT_TRUE(n.length() >= o.shortest && n.length() <= o.longest && n.length() > m) << what;
                EXPECT_EQ(right.expected.network, q.given) << what;
            } else if (q.kind == Kind::Vlsm) {
                ASSERT_TRUE(q.hosts.size() == 3 || q.hosts.size() == 4) << what;
                for (const Network4& b : right.expected.blocks)
                    EXPECT_TRUE(b.length() >= o.shortest && b.length() <= o.longest) << what;
            } else {
                EXPECT_TRUE(m >= o.shortest && m <= o.longest) << what;
            }
            // A supernet has no subnets to count; the classful rules set
            // subnet zero and the all-ones subnet aside for hosts.
            if (q.kind == Kind::SubnetCount) {
                EXPECT_GT(m, c) << what;
            }
            const std::uint32_t row = (q.given.address() & ~Network4::maskOf(c)) >> (32 - m);
            const bool placed = FieldOf(q.kind) == Field::Address || FieldOf(q.kind) == Field::AddressOrNone ||
                                q.kind == Kind::WhichSubnet;
            if (placed && !o.subnetZero && m > c) {
                EXPECT_TRUE(row != 0 && row != (1u << (m - c)) - 1) << what;
            }
        }
    }
    EXPECT_EQ(seen.size(), size_t(kKindCount));
    EXPECT_TRUE(sawNone);
}

TEST(PracticeDraw, OptionsThatDrawNothingAreNamed)
{
    const std::pair<void (*)(Options&), const char*> rows[] = {
        {[](Options& o) { o.count = 0; }, "the count 0 is outside 1 to 1000"},
        {[](Options& o) { o.shortest = 7; }, "the mask lengths 7 to 30 are not within 8 to 32"},
        {[](Options& o) { o.kinds = 0; }, "no question type is chosen"},
        {[](Options& o) { o.classes = 0; }, "no class is chosen"},
        // Class C /16 to /24: no subnet bits to count.
        {[](Options& o) { o.kinds = BitOf(Kind::SubnetCount), o.classes = kClassC, o.longest = 24; },
         "no question of the chosen types is defined for masks /16 to /24 of the chosen classes"},
        // Classful: one subnet bit leaves no subnet for a host.
        {[](Options& o) { o.kinds = BitOf(Kind::FirstHost), o.classes = kClassC, o.shortest = o.longest = 25; },
         "no question of the chosen types is defined for mask /25 of the chosen classes"},
        {[](Options& o) { o.shortest = 30, o.longest = 29; },
         "the mask lengths run from /30 down to /29; give the shorter first"},
        // Under RFC 3021 a /31 has no broadcast address; without it, it has.
        {[](Options& o) { o.kinds = BitOf(Kind::BroadcastAddress), o.shortest = 31, o.longest = 32, o.rfc3021 = true; },
         "no question of the chosen types is defined for masks /31 to /32 of the chosen classes"},
        {[](Options& o) { o.kinds = BitOf(Kind::BroadcastAddress), o.shortest = o.longest = 31; }, ""},
        {[](Options& o) { o.kinds = BitOf(Kind::MaskForLength), o.classes = 0; }, ""},
        {[](Options& o) { o.kinds = BitOf(Kind::FirstHost), o.classes = kClassC, o.shortest = o.longest = 25,
                          o.subnetZero = true; }, ""},
    };
    for (const auto& [change, fault] : rows) {
        Options o;
        change(o);
        EXPECT_EQ(OptionsFault(o), fault);
    }
}

// Each kind under both subnet counts and with and without RFC 3021: a
// supernet, a /30, a /31 and a /32.
TEST(PracticeCheck, AnswersUnderBothConventions)
{
    struct Row {
        Kind kind;
        const char* given;
        bool subnetZero, rfc3021;
        const char* answer;
        bool right;
    };
    const Row rows[] = {
        {Kind::NetworkAddress, "192.168.5.9/22", false, false, "192.168.4.0", true},
        {Kind::BroadcastAddress, "192.168.5.9/22", false, false, "192.168.7.255", true},
        {Kind::BroadcastAddress, "192.168.5.9/22", false, false, "192.168.5.255", false},
        {Kind::FirstHost, "192.168.5.9/22", false, false, "192.168.4.1", true},
        {Kind::LastHost, "10.1.2.6/30", false, false, "10.1.2.6", true},
        {Kind::FirstHost, "10.1.2.6/30", false, false, "none", false},
        {Kind::FirstHost, "10.1.2.7/31", false, false, "none", true},
        {Kind::FirstHost, "10.1.2.7/31", false, false, "10.1.2.6", false},
        {Kind::FirstHost, "10.1.2.7/31", false, true, "10.1.2.6", true},
        {Kind::LastHost, "10.1.2.7/31", false, true, "10.1.2.7", true},
        {Kind::LastHost, "10.1.2.7/32", false, false, "-", true},
        {Kind::LastHost, "10.1.2.7/32", false, true, "10.1.2.7", true},
        {Kind::SubnetCount, "192.168.1.9/30", false, false, "62", true},
        {Kind::SubnetCount, "192.168.1.9/30", true, false, "64", true},
        {Kind::SubnetCount, "192.168.1.9/30", false, false, "64", false},
        {Kind::SubnetCount, "192.168.1.9/25", false, false, "0", true},
        {Kind::SubnetCount, "192.168.1.9/25", true, false, "2", true},
        {Kind::SubnetCount, "172.16.1.9/20", false, true, "14", true},
        {Kind::HostCount, "192.168.5.9/22", false, false, "1022", true},
        {Kind::HostCount, "10.1.2.6/30", true, true, "2", true},
        {Kind::HostCount, "10.1.2.6/31", false, false, "0", true},
        {Kind::HostCount, "10.1.2.6/31", false, true, "2", true},
        {Kind::HostCount, "10.1.2.6/32", false, false, "0", true},
        {Kind::HostCount, "10.1.2.6/32", false, true, "1", true},
        {Kind::MaskForLength, "0.0.0.0/19", false, false, "255.255.224.0", true},
        {Kind::MaskForLength, "0.0.0.0/19", false, false, "255.255.192.0", false},
        {Kind::LengthForMask, "0.0.0.0/30", false, false, "/30", true},
        {Kind::LengthForMask, "0.0.0.0/30", false, false, "31", false},
        {Kind::WhichSubnet, "10.77.3.9/21", false, false, "10.77.0.0/21", true},
        {Kind::WhichSubnet, "10.77.3.9/21", false, false, "10.77.0.0/255.255.248.0", true},
        {Kind::WhichSubnet, "10.77.3.9/21", false, false, "10.77.3.9/21", false},
        {Kind::WhichSubnet, "10.77.3.9/21", false, false, "10.77.0.0/22", false},
    };
    for (const Row& r : rows) {
        const Question q = question(r.kind, r.given, r.subnetZero, r.rfc3021);
        const Verdict v = check(q, r.answer);
        EXPECT_EQ(v.right, r.right) << PromptText(q) << " " << r.answer << " " << r.subnetZero << r.rfc3021;
        std::string problem;
        EXPECT_EQ(Explanation(q, *ParseAnswer(FieldOf(q.kind), r.answer, problem), v).empty(), r.right);
    }
}

TEST(PracticeCheck, ExplanationsNameBitsFormulasAndBlocks)
{
    const auto said = [](const Question& q, const std::string& answer) {
        std::string problem, text;
        const Answer a = *ParseAnswer(FieldOf(q.kind), answer, problem);
        for (const std::string& line : Explanation(q, a, Check(q, a)))
            text += line + "\n";
        return text;
    };
    const Question network = question(Kind::NetworkAddress, "192.168.1.77/26");
    Answer typed;
    typed.address = dotted::Parse("192.168.1.77").value();
    EXPECT_EQ(Check(network, typed).differing, 0x0Du);
    EXPECT_EQ(BitPositions(0x0Du), (std::vector<int>{29, 30, 32}));
    EXPECT_EQ(said(network, "192.168.1.77"),
              "The network address keeps the first 26 bits of 192.168.1.77 and sets the 6 host bits to 0: "
              "192.168.1.64.\nYour address differs from the right one in bits 29, 30 and 32 (counted from the left).\n");
    EXPECT_NE(said(network, "63.168.1.77").find("differs from the right one in 11 bits, from bit 1 to bit 32"),
              std::string::npos);
    EXPECT_EQ(said(question(Kind::FirstHost, "10.1.2.7/31"), "10.1.2.6"),
              "A /31 has no usable host without RFC 3021: 2^1 - 2 = 0; its two addresses are the network and "
              "broadcast addresses.\nSo there is no such address; the answer is none.\n");
    EXPECT_EQ(said(question(Kind::SubnetCount, "192.168.1.9/27"), "8"),
              "S = M - C = 27 - 24 = 3 subnet bits (mask /27, class C default /24).\n"
              "With subnet zero and the all-ones subnet set aside: 2^3 - 2 = 6.\n"
              "Your 8 is 2^3: that counts subnet zero and the all-ones subnet, which this set sets aside.\n");
    EXPECT_EQ(said(question(Kind::HostCount, "192.168.1.9/27", true), "62"),
              "H = 32 - M = 32 - 27 = 5 host bits.\n"
              "2^5 - 2 = 30: the all-zeros and all-ones host fields are the network and broadcast addresses.\n"
              "Your 62 is 2^6 - 2: that takes H = 6, not 5.\n");
    Question summary = question(Kind::Summary, "10.1.0.0/22");
    summary.networks = {cidr("10.1.0.0/24"), cidr("10.1.1.0/24"), cidr("10.1.3.0/24")};
    EXPECT_TRUE(check(summary, "10.1.0.0/22").right);
    EXPECT_EQ(check(summary, "10.1.0.0/23").missed, std::vector<int>{2});
    EXPECT_TRUE(check(summary, "10.0.0.0/8").tooBig);
    EXPECT_EQ(check(summary, "10.1.0.0/23").firstDifferingBit, 23);

    Question vlsm = question(Kind::Vlsm, "10.0.0.0/24");
    vlsm.hosts = {50, 20, 100};
    EXPECT_EQ(AnswerText(Field::Blocks, RightAnswer(vlsm)), "10.0.0.128/26 10.0.0.192/27 10.0.0.0/25");
    // Any placement that fits is right, a larger block too.
    EXPECT_TRUE(check(vlsm, "10.0.0.0/26 10.0.0.64/27 10.0.0.128/25").right);
    EXPECT_TRUE(check(vlsm, "10.0.0.0/26, 10.0.0.64/26, 10.0.0.128/25").blocks[1].larger);
    const Verdict bad = check(vlsm, "10.0.0.8/26 10.0.0.48/28 10.0.0.64/25");
    EXPECT_TRUE(bad.blocks[0].misaligned && bad.blocks[1].tooSmall && bad.blocks[2].misaligned);
    EXPECT_EQ(bad.blocks[0].overlaps, (std::vector<int>{1, 2}));
    EXPECT_TRUE(check(vlsm, "10.0.1.0/26 10.0.0.64/27 10.0.0.128/25").blocks[0].outside);
    EXPECT_TRUE(check(vlsm, "10.0.0.0/26 10.0.0.64/27").wrongBlockCount);
    EXPECT_EQ(said(vlsm, "10.0.0.0/26 10.0.0.32/27 10.0.0.128/26"),
              "Block 1 (50 hosts) 10.0.0.0/26 overlaps block 2 (10.0.0.32/27).\n"
              "Block 3 (100 hosts) 10.0.0.128/26 holds 62 hosts, fewer than 100; /25 is the longest length that "
              "holds them.\nOne right design: 10.0.0.128/26 10.0.0.192/27 10.0.0.0/25.\n");
}

TEST(PracticeAnswer, TypedAnswersAreReadOrRefusedWithAReason)
{
    const std::tuple<Field, const char*, const char*> rows[] = {
        {Field::Address, " 10.0.0.1 ", ""},
        {Field::Address, "none", "this address always exists; type it"},
        {Field::AddressOrNone, "ten", "not an address; type four octets, such as 192.168.1.64, or none"},
        {Field::Mask, "/16", "not a dotted mask; type four octets, such as 255.255.255.192"},
        {Field::AddressOrNone, "NONE", ""},
        {Field::AddressOrNone, "10.0.0.256", "octet 4 \"256\" is more than 255"},
        {Field::Count, "", "no answer given"},
        {Field::Count, "062", "the count \"062\" has a leading zero"},
        {Field::Count, "99999999999999", "the count \"99999999999999\" is more than 1099511627776"},
        {Field::Length, "/33", "the length \"33\" is more than 32"},
        {Field::Mask, "255.255.0.255", ""}, // read, and then wrong
        {Field::Network, "10.0.0.0", "\"10.0.0.0\" has no length; write network/length, such as 10.1.0.0/16"},
        {Field::Network, "10.0.0.0/255.0.255.0", "the mask \"255.0.255.0\" has a one after a zero"},
        {Field::Blocks, " , ", "no block given"},
        {Field::Blocks, "10.0.0.0/26 10.0.0.64", "\"10.0.0.64\" has no length; write network/length, such as "
                                                 "10.1.0.0/16"},
    };
    for (const auto& [field, text, problem] : rows) {
        std::string got;
        const auto a = ParseAnswer(field, text, got);
        EXPECT_EQ(a.has_value(), !*problem) << text;
        EXPECT_EQ(got, problem) << text;
        if (a) {
            EXPECT_EQ(ParseAnswer(field, AnswerText(field, *a), got)->address, a->address) << text;
        }
    }
    std::string problem;
    EXPECT_EQ(ParseLengths("24-30", problem), std::make_pair(24, 30));
    EXPECT_EQ(ParseClasses("a,C", problem), unsigned(kClassA | kClassC));
    EXPECT_FALSE(ParseLengths("30-24", problem));
    EXPECT_FALSE(ParseKinds("network,hostz", problem));
    EXPECT_EQ(problem, "the question type \"hostz\" is none of all, network, broadcast, first, last, subnets, hosts, "
                       "mask, length, which, summary, vlsm");
    EXPECT_EQ(ScoreText(7, 10, 185), "7 of 10 right in 3 min 05 s");
}

} // namespace
