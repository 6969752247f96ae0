// The set verbs: exact blocks for each, the summary's binary marking,
// --contains' exit statuses, mixed families and bad lines. Toolkit-free: the
// Windows build runs them too.
#include "clirun.h"

#include <gtest/gtest.h>

#include <fcntl.h>


namespace {

using clitest::run;

struct Row {
    std::vector<std::string> args;
    std::string input;
    std::string out;
    int status;
    std::string err; // a part of standard error ("" when it must be empty)
};

void check(const Row& r)
{
    const auto o = run(r.args, r.input);
    std::string call;
    for (const auto& a : r.args)
        call += a + ' ';
    EXPECT_EQ(o.out, r.out) << call;
    EXPECT_EQ(o.status, r.status) << call << o.err;
    if (r.err.empty())
        EXPECT_EQ(o.err, "") << call;
    else
        EXPECT_NE(o.err.find(r.err), std::string::npos) << call << o.err;
}

TEST(SetsTest, Blocks)
{
    const Row rows[] = {
        // Adjacent halves join; overlaps, duplicates and host bits count once, as their blocks.
        {{"--aggregate", "10.0.0.0/25", "10.0.0.128/25", "10.0.1.7/24", "10.0.1.0/24", "10.0.1.128/26"}, "",
         "10.0.0.0/23\n", 0, ""},
        // IPv4 first, then IPv6, whatever the order given; a range is a member too.
        {{"--aggregate", "2001:db8:8000::/33", "10.0.3.0-10.0.3.9", "2001:db8::/33"}, "",
         "10.0.3.0/29\n10.0.3.8/31\n2001:db8::/32\n", 0, ""},
        {{"--aggregate", "0.0.0.0/0", "255.255.255.255", "::/0", "::1"}, "", "0.0.0.0/0\n::/0\n", 0, ""},
        {{"--aggregate", "--json", "-"}, "# comment\n\n192.0.2.1\n2001:db8::1/128\n",
         "{\"network\":\"192.0.2.1\",\"mask_bits\":32}\n{\"network\":\"2001:db8::1\",\"mask_bits\":128}\n", 0, ""},
        {{"--aggregate", "-"}, "", "", 0, ""},
        // A bad line: every one named by number, nothing printed.
        {{"--aggregate", "-"}, "10.0.0.0/24\n10.0.0.300/24\n\x01/8\n10.0.1.0/24\n", "", 2,
         "standard input line 2: \"10.0.0.300/24\""},
        {{"--aggregate", "-"}, "10.0.0.0/24\n\x01/8\n", "", 2, "standard input line 2: \"\\x01/8\""},
        {{"--aggregate", "10.0.0.0/24", "fe80::1%eth0"}, "", "", 2, "a zone names a link"},
        // A dash is a range only after an address; one network a line; a
        // byte-order mark starts a line, not an address.
        {{"--aggregate", "10.0.0.0/-1"}, "", "", 2, "\"10.0.0.0/-1\": mask length"},
        {{"--aggregate", "--", "--json"}, "", "", 2, "\"--json\": not a network"},
        {{"--aggregate", "-"}, "10.0.0.0/24 10.0.1.0/24\n", "", 2, "more than one network; give one a line"},
        {{"--aggregate", "-"}, "\xEF\xBB\xBF" "10.0.0.0/24\r\n10.0.1.0/24 # office\r\n", "10.0.0.0/23\n", 0, ""},

        // A range: exactly one block, FIRST LAST, the whole space.
        {{"--range", "10.0.0.5-10.0.0.17"}, "", "10.0.0.5/32\n10.0.0.6/31\n10.0.0.8/29\n10.0.0.16/31\n", 0, ""},
        {{"--range", "192.168.0.0", "192.168.1.255"}, "", "192.168.0.0/23\n", 0, ""},
        {{"--range", "--json", "10.0.0.7 - 10.0.0.7"}, "", "{\"network\":\"10.0.0.7\",\"mask_bits\":32}\n", 0, ""},
        {{"--range", "::-ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"}, "", "::/0\n", 0, ""},
        {{"--range", "2001:db8::-2001:db8::2"}, "", "2001:db8::/127\n2001:db8::2/128\n", 0, ""},
        {{"--range", "10.0.0.9-10.0.0.1"}, "", "", 2, "the first address comes after the last"},
        {{"--range", "10.0.0.1", "::1"}, "", "", 2, "a range has one family"},
        {{"--range", "10.0.0.0/24"}, "", "", 2, "not a range"},
        {{"--range", "10.0.0.0/24-10.0.0.9"}, "", "", 2, "without \"/\""},

        // What is left of a network; the whole network cut out leaves nothing.
        {{"--exclude", "10.0.0.0/24", "10.0.0.64/26", "10.0.0.5"}, "",
         "10.0.0.0/30\n10.0.0.4/32\n10.0.0.6/31\n10.0.0.8/29\n10.0.0.16/28\n10.0.0.32/27\n10.0.0.128/25\n", 0, ""},
        {{"--exclude", "10.0.0.0/24", "10.0.0.0/24"}, "", "", 0, ""},
        {{"--exclude", "0.0.0.0/0", "0.0.0.0/1"}, "", "128.0.0.0/1\n", 0, ""},
        {{"--exclude", "2001:db8::/126", "-"}, "2001:db8::1\n", "2001:db8::/128\n2001:db8::2/127\n", 0, ""},
        {{"--exclude", "10.0.0.0/24", "10.0.0.0/25", "10.0.1.0/26"}, "", "", 2,
         "\"10.0.1.0/26\": not inside 10.0.0.0/24"},
        {{"--exclude", "10.0.0.0/24", "::1"}, "", "", 2, "an exclusion has one family"},

        // Summaries: JSON, each family on its own.
        {{"--summarize", "--json", "10.1.4.0/24", "10.1.6.0/24", "2001:db8::/64", "2001:db8:0:3::/64"}, "",
         "{\"summary\":\"10.1.4.0\",\"mask_bits\":22,\"extra_addresses\":512}\n"
         "{\"summary\":\"2001:db8::\",\"mask_bits\":62,\"extra_addresses\":\"36893488147419103232\"}\n",
         0, ""},
        {{"--summarize", "10.0.0.1-10.0.0.5"}, "", "", 2, "--summarize takes networks"},
    };
    for (const Row& r : rows)
        check(r);
}

TEST(SetsTest, TheSummaryMarksTheCommonBitsAndSaysWhatItOverreaches)
{
    check({{"--summarize", "10.1.4.0/24", "10.1.5.0/24", "10.1.6.77/24"}, "",
           "10.1.4.0/24  00001010.00000001.00000100.00000000\n"
           "10.1.5.0/24  00001010.00000001.00000101.00000000\n"
           "10.1.6.0/24  00001010.00000001.00000110.00000000\n"
           "             ========================^\n"
           "Summary:     10.1.4.0/22: the 22 bits every input shares; bit 23 is the first that differs\n"
           "Addresses:   1024 in the summary, 768 in the inputs\n"
           "Over-reach:  256 addresses in no input: 10.1.7.0/24\n",
           0, ""});
    // An input that holds the others is the summary; nothing is over-reached.
    check({{"--summarize", "10.0.0.0/8", "10.1.0.0/16"}, "",
           "10.0.0.0/8   00001010.00000000.00000000.00000000\n"
           "10.1.0.0/16  00001010.00000001.00000000.00000000\n"
           "             ========\n"
           "Summary:     10.0.0.0/8: 10.0.0.0/8 holds every input\n"
           "Addresses:   16777216 in the summary, 16777216 in the inputs\n"
           "Over-reach:  none: every address of the summary is in an input\n",
           0, ""});
    // In colour: the common bits green, the first differing bit inverse.
    const auto o = run({"--summarize", "--color=always", "192.168.0.0/24", "192.168.1.0/24"});
    EXPECT_NE(o.out.find("\x1b[38;2;0;192;0m11000000\x1b[0m.\x1b[38;2;0;192;0m10101000\x1b[0m.\x1b[38;2;0;192;0m0000000\x1b[0m\x1b[1;7m1\x1b[0m.00000000"),
              std::string::npos)
        << o.out;
}

TEST(SetsTest, ContainsAnswersLikeGrep)
{
    const Row rows[] = {
        {{"--contains", "10.0.0.0/8", "10.1.2.3", "10.0.0.0/9"}, "",
         "10.1.2.3 is inside 10.0.0.0/8\n10.0.0.0/9 is inside 10.0.0.0/8\n", 0, ""},
        {{"--contains", "10.0.0.0/8", "10.1.2.3", "11.0.0.1", "10.0.0.0/7"}, "",
         "10.1.2.3 is inside 10.0.0.0/8\n11.0.0.1 is not inside 10.0.0.0/8\n"
         "10.0.0.0/7 overlaps 10.0.0.0/8 but is not inside it\n",
         1, ""},
        {{"--contains", "--json", "2001:db8::/32", "-"}, "2001:db8::1\n2001:db9::-2001:db9::5\n",
         "{\"input\":\"2001:db8::1\",\"inside\":true,\"overlaps\":true}\n"
         "{\"input\":\"2001:db9::-2001:db9::5\",\"inside\":false,\"overlaps\":false}\n",
         1, ""},
        // Bad input and mixed families are 2, the others still answered.
        {{"--contains", "10.0.0.0/8", "10.1.2.3", "::1"}, "", "10.1.2.3 is inside 10.0.0.0/8\n", 2,
         "a membership test has one family"},
        {{"--contains", "10.0.0.0/8", "-"}, "10.1.2.3\n10.1.2.300\n", "10.1.2.3 is inside 10.0.0.0/8\n", 2,
         "standard input line 2"},
        {{"--contains", "10.0.0.0/33", "10.1.2.3"}, "", "", 2, "outside 0 to 32"},
        {{"--contains", "10.0.0.0/8", "-"}, "", "", 2, "no address or network"},
    };
    for (const Row& r : rows)
        check(r);
#ifndef _WIN32
    // A failed write is not an answer either.
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    EXPECT_EQ(run({"--contains", "10.0.0.0/8", "10.1.2.3"}, "", -1, full).status, 2);
    ::close(full);
#endif
}

} // namespace
