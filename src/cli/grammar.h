#pragma once
// The command line of the terminal program, one grammar for every verb:
// exactly one verb a run (--report when none is given), the options each verb
// takes, its operands, "-" for its list read from standard input, and "--"
// to end the options. A value follows its option or is joined with "=".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

class Output;
struct Environment;

// The options, as bits of a verb's set.
enum Option : unsigned {
    kOptJson = 1u << 0,
    kOptColor = 1u << 1,
    kOptMask = 1u << 2,
    kOptLimit = 1u << 3,
    kOptRfc3021 = 1u << 4,
    kOptSite = 1u << 5,
    // --practice's
    kOptCount = 1u << 6,
    kOptSeed = 1u << 7,
    kOptTypes = 1u << 8,
    kOptClasses = 1u << 9,
    kOptMasks = 1u << 10,
    kOptSubnetZero = 1u << 11,
};

enum class ColorWhen { Auto, Always, Never };

struct Command;

// A verb: a row of the program's verb table.
struct Verb {
    std::string_view name; // "--subnets"
    unsigned options;      // the Option bits it takes
    // Its operands: how many at least and at most (-1: no limit), and from
    // which position on they form a list that "-" may stand for (-1: none).
    int minOperands;
    int maxOperands;
    int listFrom;
    // What the run says when operands are missing, such as "no address given".
    const char* missing;
    // Runs the command and gives its exit status. A verb that answers yes or
    // no gives 0 for yes and 1 for no, so it reports its failures, output's
    // included, as 2 rather than through Output::finish.
    int (*run)(const Command& command, Output& out, const Environment& env);
};

// What one run asks for.
struct Command {
    const Verb* verb = nullptr;
    bool help = false;
    bool version = false;
    bool json = false;
    bool rfc3021 = false;
    ColorWhen color = ColorWhen::Auto;
    std::optional<std::string_view> maskText;
    std::optional<int> mask; // 0 to 32, or to 128 for an IPv6 operand
    bool maskDotted = false; // given as a dotted mask, an IPv4 one
    // The routing prefix's length, for the IPv6 report's subnet ID (0 to 128).
    std::optional<int> site;
    std::optional<std::uint64_t> limit;
    // --practice: the set's size and seed, question types and classes (as
    // the practice options' bits), mask lengths and the subnet-zero count.
    std::optional<int> count;
    std::optional<std::uint64_t> seed;
    std::optional<unsigned> types;
    std::optional<unsigned> classes;
    std::optional<std::pair<int, int>> masks;
    bool subnetZero = false;
    std::vector<std::string_view> operands; // "-" stands for standard input
    // A usage error: the run names it and ends with status 2.
    std::string error;
};

// Reads the arguments after the program name against a verb table whose
// first row is the verb taken when none is given. The command refers to
// `args` and `verbs`, which must outlive it.
Command ParseCommandLine(const std::vector<std::string>& args, const std::vector<Verb>& verbs);

} // namespace cli
