// The command-line grammar every verb shares, as a script meets it: each
// verb, each operand error and each exit status.
#include "clirun.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <csignal>

namespace {

using clitest::run;

const std::string kTry = "; try \"quillmark --help\"\n";

TEST(GrammarTest, VerbsOptionsOperandsAndStatuses)
{
    const std::string split3031 = "Subnet  Network             First usable     Last usable      Broadcast        Hosts\n"
                                  "0       10.0.0.0/31         -                -                10.0.0.1         0\n"
                                  "1       10.0.0.2/31         -                -                10.0.0.3         0\n";
    struct Row {
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string out; // "*" for any output that is not empty
        std::string err;
    };
    const Row rows[] = {
        // Each verb; the report when none is named.
        {{"10.0.0.1/8"}, "", 0, "*", ""},
        {{"--report", "-"}, "10.0.0.1/8\n", 0, "*", ""},
        {{"--subnets", "10.0.0.0/30", "--mask", "31"}, "", 0, split3031, ""},
        {{"--mask=31", "10.0.0.0/30", "--subnets"}, "", 0, split3031, ""},
        {{"--subnets", "10.0.0.0/30", "--mask", "255.255.255.254"}, "", 0, split3031, ""},
        {{"--plan", "10.0.0.0/28", "-", "--json"}, "2\n# a comment\n\n1 1\n", 0, "*", ""},
        {{"--subnets", "--help"}, "", 0, "*", ""},
        {{"--plan", "-V"}, "", 0, "Quillmark 1.0.5\n", ""},
        // "--" ends the options: what follows is an operand.
        {{"--plan", "10.0.0.0/24", "--", "-5"}, "", 2, "",
         "quillmark: request \"-5\": host count \"-5\" is not a decimal number\n"},
        // Usage: one line, nothing done.
        {{"--report", "--subnets", "10.0.0.0/8"}, "", 2, "", "quillmark: --report and --subnets are two verbs; give one a run" + kTry},
        {{"--plan", "10.0.0.0/8", "5", "--subnets"}, "", 2, "", "quillmark: --plan and --subnets are two verbs; give one a run" + kTry},
        {{"--mask", "30", "10.0.0.1/8"}, "", 2, "", "quillmark: --mask is not an option of --report" + kTry},
        {{"--subnets", "10.0.0.0/8", "--color"}, "", 2, "", "quillmark: --color is not an option of --subnets" + kTry},
        {{"--plan", "10.0.0.0/8", "5", "--limit=1"}, "", 2, "", "quillmark: --limit is not an option of --plan" + kTry},
        {{"--subnets"}, "", 2, "", "quillmark: --subnets needs a network, such as 10.0.0.0/8" + kTry},
        {{"--subnets", "10.0.0.0/8", "10.1.0.0/16"}, "", 2, "",
         "quillmark: --subnets takes 1 operand; \"10.1.0.0/16\" is one too many" + kTry},
        {{"--subnets", "-"}, "", 2, "", "quillmark: --subnets reads nothing from standard input" + kTry},
        {{"--plan", "-", "5"}, "", 2, "",
         "quillmark: \"-\" stands for --plan's list, which comes after its first operand" + kTry},
        {{"--plan", "10.0.0.0/24"}, "", 2, "",
         "quillmark: --plan needs a network and host counts, such as 10.0.0.0/24 50 14" + kTry},
        {{"--subnets", "10.0.0.0/8", "--mask"}, "", 2, "", "quillmark: --mask needs a value" + kTry},
        {{"--subnets", "10.0.0.0/8", "--mask="}, "", 2, "", "quillmark: --mask needs a value" + kTry},
        {{"--subnets", "10.0.0.0/8", "--mask", "33"}, "", 2, "",
         "quillmark: --mask: mask length \"33\" is outside 0 to 32" + kTry},
        {{"--subnets", "10.0.0.0/8", "--mask=255.0.255.0"}, "", 2, "",
         "quillmark: --mask: the mask is not contiguous: its one bits must all come first" + kTry},
        {{"--subnets", "10.0.0.0/8", "--limit", "-1"}, "", 2, "", "quillmark: --limit: \"-1\" is not a decimal number" + kTry},
        {{"--subnets", "10.0.0.0/8", "--limit=99999999999999999999"}, "", 2, "",
         "quillmark: --limit: \"99999999999999999999\" is too large" + kTry},
        {{"--json=yes", "10.0.0.1/8"}, "", 2, "", "quillmark: --json takes no value" + kTry},
        {{"--subnets=10.0.0.0/8"}, "", 2, "", "quillmark: --subnets takes no value" + kTry},
        {{"--bogus=1", "10.0.0.1/8"}, "", 2, "", "quillmark: unknown option \"--bogus\"" + kTry},
        // Operands: one line naming the operand and the reason.
        {{"--subnets", "10.0.0.0/24", "--mask", "20"}, "", 2, "",
         "quillmark: --mask 20 is shorter than \"10.0.0.0/24\"; its subnets take a mask length from 24 to 32\n"},
        {{"--subnets", " 10.0.0.0/33"}, "", 2, "", "quillmark: \"10.0.0.0/33\": mask length \"33\" is outside 0 to 32\n"},
        {{"--plan", "", "1"}, "", 2, "", "quillmark: \"\": empty network; write ADDRESS/BITS, such as 10.0.0.0/8\n"},
        // A bare address is one host: /32 for the network verbs, refused by the report.
        {{"--subnets", "10.0.0.7", "--mask", "32"}, "", 0,
         "Subnet  Network             First usable     Last usable      Broadcast        Hosts\n"
         "0       10.0.0.7/32         -                -                10.0.0.7         0\n",
         ""},
        {{"10.0.0.7"}, "", 2, "",
         "quillmark: \"10.0.0.7\": no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0\n"},
        // IPv6: lengths to 128, --site for the report only, no plan, no class networks.
        {{"--site=0", "-"}, "10.0.0.1/8\n::/0\n", 0, "*", ""},
        {{"--site", "49", "2001:db8::/48"}, "", 2, "",
         "quillmark: \"2001:db8::/48\": --site 49 is longer than its prefix length 48\n"},
        {{"--site", "129", "2001:db8::/48"}, "", 2, "", "quillmark: --site: \"129\" is outside 0 to 128" + kTry},
        {{"--site", "4x", "::/0"}, "", 2, "", "quillmark: --site: \"4x\" is not a decimal number" + kTry},
        {{"--subnets", "2001:db8::/48", "--mask", "64", "--site", "48"}, "", 2, "",
         "quillmark: --site is not an option of --subnets" + kTry},
        {{"--plan", "2001:db8::/48", "5"}, "", 2, "", "quillmark: \"2001:db8::/48\" is IPv6; --plan plans IPv4 networks only\n"},
        {{"--subnets", "2001:db8::/48"}, "", 2, "",
         "quillmark: \"2001:db8::/48\" is IPv6: give the subnets' length with --mask BITS (class networks are IPv4 only)\n"},
        {{"--subnets", "2001:db8::/48", "--mask", "129"}, "", 2, "",
         "quillmark: --mask: mask length \"129\" is outside 0 to 128" + kTry},
        {{"--subnets", "10.0.0.0/8", "--mask", "64"}, "", 2, "", "quillmark: --mask: mask length \"64\" is outside 0 to 32" + kTry},
        {{"--subnets", "2001:db8::/48", "--mask", "40"}, "", 2, "",
         "quillmark: --mask 40 is shorter than \"2001:db8::/48\"; its subnets take a mask length from 48 to 128\n"},
        {{"--subnets", "2001:db8::/48", "--mask", "255.255.0.0"}, "", 2, "",
         "quillmark: --mask \"255.255.0.0\" is a dotted IPv4 mask; an IPv6 network takes a length from 48 to 128\n"},
        {{"--subnets", "2001:db8::/126", "--mask", "127", "--rfc3021"}, "", 2, "",
         "quillmark: --rfc3021 is for IPv4 networks; an IPv6 network has no broadcast address\n"},
        {{"--subnets", "2001:db8::/48%", "--mask", "64"}, "", 2, "",
         "quillmark: \"2001:db8::/48%\": prefix length \"48%\" is not a decimal number\n"},
    };
    for (const Row& r : rows) {
        const clitest::Outcome got = run(r.args, r.input);
        const std::string what = r.args.front() + " " + r.args.back();
        EXPECT_EQ(got.status, r.status) << what;
        EXPECT_EQ(got.err, r.err) << what;
        if (r.out == "*")
            EXPECT_FALSE(got.out.empty()) << what;
        else
            EXPECT_EQ(got.out, r.out) << what;
    }
}

// The help states each verb's operands and every option, in 80 columns.
TEST(GrammarTest, HelpStatesEveryVerbAndOption)
{
    const clitest::Outcome got = run({"--help"});
    for (const cli::Verb& verb : cli::Verbs()) {
        const std::string name(verb.name);
        EXPECT_TRUE(got.out.find("quillmark " + name + " ") != std::string::npos ||
                    got.out.find("quillmark [" + name + "] ") != std::string::npos)
            << name;
    }
    for (const char* option : {"--json", "--color=WHEN", "--mask BITS", "--limit N", "--rfc3021", "--site S", "--mask=30",
                               "NO_COLOR", "8 to 31", "leading zeros", "standard input", "Exit status", "141"})
        EXPECT_NE(got.out.find(option), std::string::npos) << option;
    for (size_t from = 0, nl; (nl = got.out.find('\n', from)) != std::string::npos; from = nl + 1)
        EXPECT_LE(nl - from, 80u) << got.out.substr(from, nl - from);
}

// 1 when output or input fails, 141 when the reader has gone, for every verb.
TEST(GrammarTest, FailuresAreNeverSuccess)
{
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN); // as the program sets it
#endif
    const std::vector<std::string> verbs[] = {
        {"10.0.0.1/8"}, {"--subnets", "10.0.0.0/8", "--mask", "30"}, {"--plan", "10.0.0.0/8", "50"}, {"--help"},
        {"--practice", "--seed", "1"}};
    for (const auto& args : verbs) {
        int p[2];
#ifdef _WIN32
        ASSERT_EQ(::_pipe(p, 4096, _O_BINARY), 0);
#else
        ASSERT_EQ(::pipe(p), 0);
#endif
        ::close(p[0]);
        const clitest::Outcome gone = run(args, "", -1, p[1]);
        ::close(p[1]);
        EXPECT_EQ(gone.status, 141) << args[0];
        EXPECT_EQ(gone.err, "") << args[0];
#ifndef _WIN32
        const int full = ::open("/dev/full", O_WRONLY);
        const clitest::Outcome got = run(args, "", -1, full);
        ::close(full);
        EXPECT_EQ(got.status, 1) << args[0];
        EXPECT_EQ(got.err, "quillmark: cannot write to standard output: No space left on device\n") << args[0];
#endif
    }
#ifndef _WIN32
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-"}, {"--plan", "10.0.0.0/8", "-"}}) {
        const int folder = ::open("/", O_RDONLY | O_DIRECTORY);
        const clitest::Outcome got = run(args, "", folder);
        ::close(folder);
        EXPECT_EQ(got.status, 1) << args[0];
        EXPECT_EQ(got.err, "quillmark: cannot read standard input: Is a directory\n") << args[0];
        EXPECT_EQ(got.out, "");
    }
#endif
}

} // namespace
