// --practice driven through standard input: right and wrong answers, an
// unreadable one asked again, the end of input, and options refused.
#include "clirun.h"
#include "model/practice.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <random>
#include <regex>
#include <sstream>

namespace {

using clitest::run;

const std::vector<std::string> kSet = {"--practice", "--seed", "3", "--count", "4", "--types", "network,first,subnets",
                                       "--masks", "24-30", "--classes", "C"};

// The time taken is the one thing a run does not repeat.
std::string timeless(const std::string& out)
{
    return std::regex_replace(out, std::regex("right in [0-9]+ s"), "right in T s");
}

#ifdef _WIN32
#define kEndKeys "Ctrl+Z, Enter"
#else
#define kEndKeys "Ctrl+D"
#endif

TEST(PracticeVerb, ASessionThroughStandardInput)
{
    const clitest::Outcome got = run(kSet, "196.217.208.164\n8\nten\n\n196.247.51.64\n");
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.err, "");
    EXPECT_EQ(timeless(got.out),
              "Seed 3: quillmark --practice --seed 3 --count 4 --types network,first,subnets --classes C --masks 24-30\n"
              "Subnets are counted as 2^S - 2 (subnet zero and the all-ones subnet set aside).\n"
              "A /31 has no usable hosts (RFC 3021 not followed).\n"
              "Type each answer on one line; the end of input (" kEndKeys ") ends the set.\n"
              "\n"
              "1/4  First usable host\n"
              "      196.217.208.166/30: what is the first usable host?\n"
              "      (a dotted address, or none when there is no such address)\n"
              "> Wrong. The answer: 196.217.208.165\n"
              "      Given:  11000100.11011001.11010000.10100110  196.217.208.166/30\n"
              "      Yours:  11000100.11011001.11010000.10100100  196.217.208.164\n"
              "      Right:  11000100.11011001.11010000.10100101  196.217.208.165\n"
              "                                                ^\n"
              "      The first usable host of 196.217.208.164/30 is its network address plus 1:\n"
              "      196.217.208.165.\n"
              "      Your address differs from the right one in bit 32 (counted from the left).\n"
              "\n"
              "2/4  Number of subnets\n"
              "      208.6.42.238/27: how many usable subnets has its class C network at this\n"
              "      mask? (subnet zero and the all-ones subnet set aside)\n"
              "      (a number)\n"
              "> Wrong. The answer: 6\n"
              "      Mask:   11111111.11111111.11111111.11100000  /27\n"
              "              NNNNNNNN.NNNNNNNN.NNNNNNNN.SSSHHHHH  N net, S subnet, H host\n"
              "      S = M - C = 27 - 24 = 3 subnet bits (mask /27, class C default /24).\n"
              "      With subnet zero and the all-ones subnet set aside: 2^3 - 2 = 6.\n"
              "      Your 8 is 2^3: that counts subnet zero and the all-ones subnet, which this\n"
              "      set sets aside.\n"
              "\n"
              "3/4  Network address\n"
              "      196.247.51.101/26: what is the network address?\n"
              "      (a dotted address, such as 192.168.1.64)\n"
              "> Not an answer: not an address; type four octets, such as 192.168.1.64. Try again.\n"
              "> Not an answer: no answer given. Try again.\n"
              "> Right.\n"
              "\n"
              "4/4  Number of subnets\n"
              "      206.244.37.161/27: how many usable subnets has its class C network at this\n"
              "      mask? (subnet zero and the all-ones subnet set aside)\n"
              "      (a number)\n"
              "> \n"
              "The input ended after 3 of 4 questions.\n"
              "Score: 1 of 3 right in T s\n");

    // The whole set answered: the score, whatever it is, and status 0; what
    // follows the last answer is not read as one.
    const clitest::Outcome all = run(kSet, "196.217.208.165\n6\n196.247.51.64\n6\nmore\n");
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(timeless(all.out.substr(all.out.rfind("> "))), "> Right.\n\nScore: 4 of 4 right in T s\n");

    // The report's colours when asked for.
    std::vector<std::string> coloured = kSet;
    coloured.push_back("--color=always");
    EXPECT_NE(run(coloured, "196.217.208.164\n").out.find("\x1b[38;2;128;128;255m"), std::string::npos);
}

// The line a run starts with repeats its set: the terminal reads it back to
// the options the window would draw with, and asks their first question.
TEST(PracticeVerb, TheHandedOutLineDrawsTheSameSet)
{
    std::mt19937 pick(11);
    for (int round = 0; round < 60; ++round) {
        practice::Options o;
        o.seed = pick() % 5 == 0 ? ~std::uint64_t(0) - pick() : pick();
        o.count = 1 + int(pick() % 3);
        o.kinds = pick() % (practice::kAllKinds + 1);
        o.classes = pick() % 8;
        o.shortest = 8 + int(pick() % 25);
        o.longest = o.shortest + int(pick() % (33 - o.shortest));
        o.subnetZero = pick() % 2;
        o.rfc3021 = pick() % 2;
        if (!practice::OptionsFault(o).empty())
            continue;
        const std::string line = practice::CommandLine(o);
        std::vector<std::string> args;
        std::istringstream words(line.substr(line.find(' ') + 1));
        for (std::string word; words >> word;)
            args.push_back(word);
        const clitest::Outcome got = run(args);
        ASSERT_EQ(got.status, 0) << line << got.err;
        EXPECT_EQ(got.out.substr(0, got.out.find('\n')), "Seed " + std::to_string(o.seed) + ": " + line);
        EXPECT_NE(got.out.find(practice::PromptText(practice::DrawSet(o).front()).substr(0, 40)), std::string::npos)
            << line;
    }
}

TEST(PracticeVerb, BadOptionsAndFailedInput)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--practice", "--count", "0"}, "--count: \"0\" is outside 1 to 1000; try \"quillmark --help\""},
        {{"--practice", "--seed", "-1"}, "--seed: \"-1\" is not a decimal number; try \"quillmark --help\""},
        {{"--practice", "--types", "network,nets"},
         "--types: the question type \"nets\" is none of all, network, broadcast, first, last, subnets, hosts, mask, "
         "length, which, summary, vlsm; try \"quillmark --help\""},
        {{"--practice", "--classes", "D"}, "--classes: the class \"D\" is not A, B or C; try \"quillmark --help\""},
        {{"--practice", "--masks", "30-24"},
         "--masks: the mask lengths \"30-24\" are not a range within 8 to 32; try \"quillmark --help\""},
        {{"--practice", "10.0.0.0/8"}, "--practice takes 0 operands; \"10.0.0.0/8\" is one too many; try \"quillmark "
                                       "--help\""},
        {{"--practice", "--json"}, "--json is not an option of --practice; try \"quillmark --help\""},
        {{"--subnet-zero", "10.0.0.1/8"}, "--subnet-zero is not an option of --report; try \"quillmark --help\""},
        {{"--practice", "--types", "subnets", "--classes", "C", "--masks", "16-24"},
         "no question of the chosen types is defined for masks /16 to /24 of the chosen classes"},
    };
    for (const auto& [args, err] : rows) {
        const clitest::Outcome got = run(args);
        EXPECT_EQ(got.status, 2) << err;
        EXPECT_EQ(got.out, "") << err;
        EXPECT_EQ(got.err, "quillmark: " + err + "\n");
    }
#ifndef _WIN32
    const int folder = ::open("/", O_RDONLY | O_DIRECTORY);
    const clitest::Outcome got = run({"--practice"}, "", folder);
    ::close(folder);
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.err, "quillmark: cannot read standard input: Is a directory\n");
#endif
}

} // namespace
