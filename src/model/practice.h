#pragma once
// Practice: sets of subnetting questions drawn from a seed, the learner's
// answers checked, and what a wrong answer needs explaining, as numbers, bit
// positions and flags. The practice window and `quillmark --practice` both
// draw here, so one seed with the same options gives the same set in each, on
// every platform: the draws come from std::mt19937_64 mapped to ranges by this
// file's own rule, never by a standard distribution (whose results differ
// between standard libraries). Standard C++ only; nothing is written to disk.
#include "model/network.h"
#include "model/subnetfacts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace practice {

// What a question asks. The order is the order of --types' names and of the
// draws: adding a kind goes at the end, or every seed's set changes.
enum class Kind : int {
    NetworkAddress,   // the network address of an address/length
    BroadcastAddress, // its broadcast address
    FirstHost,        // its first usable host, or "no such address"
    LastHost,         // its last usable host, or "no such address"
    SubnetCount,      // usable subnets of the class network at the length
    HostCount,        // usable hosts per subnet at the length
    MaskForLength,    // the dotted mask of a length
    LengthForMask,    // the length of a dotted mask
    WhichSubnet,      // the subnet (network/length) holding a host
    Summary,          // the summary route of two to four networks
    Vlsm,             // blocks for three or four host counts in a network
};
constexpr int kKindCount = 11;
constexpr unsigned BitOf(Kind k) { return 1u << unsigned(k); }
constexpr unsigned kAllKinds = (1u << kKindCount) - 1;

// The name --types takes ("network", "broadcast", "first", "last", "subnets",
// "hosts", "mask", "length", "which", "summary", "vlsm") and a title for a
// window ("Network address").
std::string_view NameOf(Kind kind);
std::string_view TitleOf(Kind kind);

// Classes, as bits of Options::classes.
enum ClassBit : unsigned { kClassA = 1, kClassB = 2, kClassC = 4 };
constexpr unsigned kAllClasses = kClassA | kClassB | kClassC;

// The mask lengths a set may use and the sizes of a set.
constexpr int kShortestLength = 8; // the address model's shortest
constexpr int kLongestLength = 32;
constexpr int kMaxCount = 1000;

struct Options {
    unsigned kinds = kAllKinds;     // BitOf(Kind) bits
    unsigned classes = kAllClasses; // ClassBit bits: where addresses are drawn
    // The lengths of the networks asked about, both included (for a summary
    // the given networks' length, for VLSM the blocks' lengths).
    int shortest = 16;
    int longest = 30;
    // The subnet-zero convention: false is the classful count the main window
    // shows (2^S - 2 subnets; subnet zero and the all-ones subnet set aside),
    // true counts them (2^S).
    bool subnetZero = false;
    // RFC 3021: a /31 has two usable hosts and a /32 one; otherwise neither
    // has any.
    bool rfc3021 = false;
    std::uint64_t seed = 0;
    int count = 10; // 1 to kMaxCount
};

// Why no set can be drawn with these options (out-of-range values, or no
// question of the chosen kinds defined for the classes and lengths), or ""
// when a set can be drawn.
std::string OptionsFault(const Options& options);

// The kinds a set with these options draws from: the chosen ones that have a
// defined question for the chosen classes, lengths and conventions.
unsigned DrawableKinds(const Options& options);

// The command line that draws the same set in a terminal, for handing out:
// "quillmark --practice --seed 1234 --count 10 --types network,first ...",
// options at their defaults left out.
std::string CommandLine(const Options& options);

// The values of --types ("network,first,vlsm"; "all"), --classes ("A,C",
// "AC", any case) and --masks ("24-30", or "26" for one length), read as
// Options keeps them, or nothing with `problem` naming the bad part.
std::optional<unsigned> ParseKinds(std::string_view text, std::string& problem);
std::optional<unsigned> ParseClasses(std::string_view text, std::string& problem);
std::optional<std::pair<int, int>> ParseLengths(std::string_view text, std::string& problem);

// What kind of answer a question takes, and so which fields a window shows.
enum class Field {
    Address,       // a dotted address
    AddressOrNone, // a dotted address, or "no such address"
    Count,         // a number
    Length,        // a mask length, 0 to 32
    Mask,          // a dotted mask
    Network,       // network/length
    Blocks,        // one network/length a host count, in the order given
};
Field FieldOf(Kind kind);

struct Question {
    Kind kind = Kind::NetworkAddress;
    // The address and its length: the address keeps its host bits (what the
    // learner is shown). MaskForLength and LengthForMask use only the length
    // (the address is 0); Vlsm gives the network to fill. For Summary it is
    // the summary itself, the right answer: for "show in calculator" once
    // answered.
    net::Network4 given;
    // The class of given's address and its network bits (8, 16, 24).
    char classLetter = 'A';
    int classBits = 8;
    std::vector<net::Network4> networks; // Summary: two to four networks
    std::vector<std::uint64_t> hosts;    // Vlsm: three or four host counts
    // The conventions the question is asked and checked under.
    bool subnetZero = false;
    bool rfc3021 = false;
};

// The set: options.count questions. The options must have no fault.
std::vector<Question> DrawSet(const Options& options);

// An answer, in the members its question's Field uses.
struct Answer {
    bool none = false;         // AddressOrNone: "no such address"
    std::uint32_t address = 0; // Address, AddressOrNone (unless none), Mask
    std::int64_t number = 0;   // Count, Length
    net::Network4 network;     // Network
    std::vector<net::Network4> blocks; // Blocks
};

// The right answer. For Vlsm it is one right design (the planner's: largest
// first from the start of the network); any design that passes Check is right.
Answer RightAnswer(const Question& question);
// A wrong answer as a learner gives one: a bit off at the mask's boundary, a
// count one off, a length one longer, the first block one longer. For
// demonstrations and the screenshots of an explanation.
Answer NearMiss(const Question& question);

// How a count is worked out, for explaining one.
struct Formula {
    char letter = 'S'; // 'S': subnet bits (M - C); 'H': host bits (32 - M)
    int bits = 0;      // S or H
    int maskBits = 0;  // M
    int classBits = 0; // C (SubnetCount only)
    // The rule used: 2^bits - 2, 2^bits, or RFC 3021's /31 (2) and /32 (1),
    // or none for a /31 or /32 without RFC 3021 (0 usable hosts).
    enum class Rule { MinusTwo, Power, Rfc3021, NoHosts } rule = Rule::MinusTwo;
    std::int64_t value = 0;   // the right count
    std::int64_t learner = 0; // the learner's count
    // When the learner's count is 2^k or 2^k - 2 (k from 1 to 32): k and
    // which of the two, to say what the learner seems to have worked out.
    int learnerBits = -1;
    bool learnerMinusTwo = false;
};

// How one block of a learner's VLSM design fails, if it does.
struct BlockCheck {
    net::Network4 block;        // as the learner gave it
    std::uint64_t wanted = 0;   // the host count it is for
    std::uint64_t holds = 0;    // usable hosts of its length
    int neededLength = 0;       // the longest length that holds `wanted`
    bool misaligned = false;    // host bits set: not a block's network address
    bool outside = false;       // not inside the network to fill
    bool tooSmall = false;      // fewer usable hosts than wanted
    bool larger = false;        // right, but longer lengths would do (not wrong)
    std::vector<int> overlaps;  // indices of other blocks it shares addresses with
    bool fine() const { return !misaligned && !outside && !tooSmall && overlaps.empty(); }
};

struct Verdict {
    bool right = false;
    Answer expected; // RightAnswer

    // Address kinds, Mask, WhichSubnet, Summary and LengthForMask (as masks):
    // the bits where the learner's value differs from the right one; bit 31
    // is the first bit. BitPositions lists them.
    std::uint32_t differing = 0;
    // AddressOrNone: the learner said "no such address" and there is one, or
    // gave one where there is none.
    bool noneWrong = false;
    // Mask: the learner's mask has ones after a zero (not a mask at all).
    bool notContiguous = false;
    // WhichSubnet, Summary: the length is wrong; the learner's address has
    // host bits for its length.
    bool lengthWrong = false;
    bool hostBitsSet = false;

    // SubnetCount, HostCount.
    Formula formula;

    // Summary: the bits all the networks share (the summary's length) and the
    // first bit, counted from 1, where they differ (0 when they never do); the
    // networks (indices) the learner's block leaves out, and whether it covers
    // more than the right one.
    int commonBits = 0;
    int firstDifferingBit = 0;
    std::vector<int> missed;
    bool tooBig = false;

    // Vlsm: one a host count (when the learner gave as many blocks).
    std::vector<BlockCheck> blocks;
    bool wrongBlockCount = false;
};

Verdict Check(const Question& question, const Answer& answer);

// The positions (1 to 32, from the left) of the one bits of a 32-bit value.
std::vector<int> BitPositions(std::uint32_t bits);

// The portions of given's address (network, subnet and host bits) as the
// main window counts them: the facts of its address and length. (For
// MaskForLength and LengthForMask the portions are given.length() ones.)
SubnetFacts FactsOf(const Question& question);

// The question in words, one line or two, without the answer.
std::string PromptText(const Question& question);
// What a typed answer looks like, for a prompt: "an address such as 10.1.2.3,
// or none".
std::string_view AnswerHint(Field field);

// A typed answer: a dotted address, "none" (also "-") for no such address, a
// number, a length ("/26" or "26"), a dotted mask, network/length (the length
// also as a dotted mask), or for VLSM one network/length a host count
// separated by blanks or commas. Nothing, with `problem` saying why, for text
// that is not an answer of the field at all (a wrong answer is still read).
std::optional<Answer> ParseAnswer(Field field, std::string_view text, std::string& problem);

// An answer written as ParseAnswer reads it ("none" for no such address).
std::string AnswerText(Field field, const Answer& answer);

// Why a wrong answer is wrong, in sentences, one a line, without the binary
// picture (the window draws its own, the terminal writes its rows). Empty for
// a right answer.
std::vector<std::string> Explanation(const Question& question, const Answer& answer, const Verdict& verdict);

// "7 of 10 right in 3 min 05 s" (seconds when under a minute).
std::string ScoreText(int right, int asked, std::int64_t seconds);

} // namespace practice
