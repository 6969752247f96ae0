#include "model/practice.h"

#include "model/addressclass.h"
#include "model/decimal.h"
#include "model/dotted.h"
#include "model/netset.h"
#include "model/planner.h"
#include "model/shown.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <random>

namespace practice {

namespace {

using net::Network4;

struct KindText {
    std::string_view name, title;
};
constexpr KindText kKindTexts[kKindCount] = {
    {"network", "Network address"},     {"broadcast", "Broadcast address"},
    {"first", "First usable host"},     {"last", "Last usable host"},
    {"subnets", "Number of subnets"},   {"hosts", "Usable hosts per subnet"},
    {"mask", "Mask for a length"},      {"length", "Length of a mask"},
    {"which", "Subnet holding a host"}, {"summary", "Summary route"},
    {"vlsm", "VLSM design"},
};

// The classes a set draws from, with the first octets their addresses get:
// 0 and 127 are left out of class A (this network, loopback).
struct DrawClass {
    char letter;
    int bits;
    int firstOctet, lastOctet;
};
constexpr DrawClass kDrawClasses[] = {{'A', 8, 1, 126}, {'B', 16, 128, 191}, {'C', 24, 192, 223}};

constexpr Options kDefaults{};

// Uniform draws from a range: a mask to the next power of two and rejection,
// which gives the same numbers from the same generator everywhere.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : generator_(seed) {}

    // 0 to n - 1 (n > 0); n == 1 takes no draw.
    std::uint64_t below(std::uint64_t n)
    {
        if (n <= 1)
            return 0;
        std::uint64_t mask = n - 1;
        for (int shift = 1; shift < 64; shift *= 2)
            mask |= mask >> shift;
        for (;;) {
            const std::uint64_t x = generator_() & mask;
            if (x < n)
                return x;
        }
    }
    int between(int low, int high) { return low + int(below(std::uint64_t(high - low) + 1)); }
    template <typename T> const T& pick(const std::vector<T>& from) { return from[size_t(below(from.size()))]; }

private:
    std::mt19937_64 generator_;
};

// A class and a length a question of some kind may be asked with.
struct Case {
    int cls; // index into kDrawClasses
    int length;
};

bool isAddressKind(Kind k)
{
    return k == Kind::NetworkAddress || k == Kind::BroadcastAddress || k == Kind::FirstHost || k == Kind::LastHost ||
           k == Kind::WhichSubnet;
}

// Whether some host count needs exactly a block of `length`: with RFC 3021 no
// count needs a /30, as two hosts fit a /31.
bool neededLength(int length, bool rfc3021)
{
    const std::uint64_t hosts = Network4(0, length).hosts(rfc3021);
    const std::uint64_t longer = length < 32 ? Network4(0, length + 1).hosts(rfc3021) : 0;
    return hosts > longer;
}

// The shortest block a VLSM design places: four of them fill a /8 at most.
constexpr int kShortestVlsmBlock = kShortestLength + 2;
// A design stays small: its blocks take the longest lengths of the range.
constexpr int kVlsmLengths = 8;
// The given networks of a summary keep the summary inside one first octet.
constexpr int kShortestSummarised = kShortestLength + 1;

// Where a question of `kind` is defined under the options.
bool defined(Kind kind, const DrawClass& c, int length, const Options& o)
{
    switch (kind) {
    case Kind::SubnetCount:
        // Only a class network split by subnet bits has subnets to count; the
        // classful 2^1 - 2 = 0 of one subnet bit is asked too.
        return length > c.bits;
    case Kind::Summary:
        return length >= kShortestSummarised;
    case Kind::Vlsm:
        return length >= kShortestVlsmBlock && neededLength(length, o.rfc3021);
    case Kind::BroadcastAddress:
        // Under RFC 3021 a /31 link's two addresses are both hosts: it has
        // no broadcast address to ask for (nor has a /32).
        if (o.rfc3021 && length >= 31)
            return false;
        [[fallthrough]];
    default:
        // The classful rules set subnet zero and the all-ones subnet aside,
        // so an address is placed in neither; one subnet bit leaves nowhere.
        if (isAddressKind(kind) && !o.subnetZero && length > c.bits)
            return length - c.bits >= 2;
        return true;
    }
}

std::vector<Case> casesOf(Kind kind, const Options& o)
{
    std::vector<Case> cases;
    const bool classless = kind == Kind::MaskForLength || kind == Kind::LengthForMask;
    for (int cls = 0; cls < 3; ++cls) {
        if (!classless && !(o.classes & (1u << cls)))
            continue;
        for (int length = o.shortest; length <= o.longest; ++length)
            if (classless || defined(kind, kDrawClasses[cls], length, o))
                cases.push_back({classless ? 0 : cls, length});
        if (classless)
            break;
    }
    return cases;
}

std::uint32_t classAddress(Draws& d, const DrawClass& c)
{
    const std::uint32_t octet = std::uint32_t(d.between(c.firstOctet, c.lastOctet));
    return octet << 24 | std::uint32_t(d.below(std::uint64_t(1) << 24));
}

// An address of `length`, in a subnet the conventions let hosts use.
std::uint32_t placedAddress(Draws& d, const DrawClass& c, int length, bool avoidEnds)
{
    const std::uint32_t address = classAddress(d, c);
    if (!avoidEnds || length <= c.bits)
        return address;
    const int subnetBits = length - c.bits;
    const std::uint64_t row = 1 + d.below((std::uint64_t(1) << subnetBits) - 2);
    const std::uint64_t host = d.below(std::uint64_t(1) << (32 - length));
    return (address & Network4::maskOf(c.bits)) | std::uint32_t(row << (32 - length)) | std::uint32_t(host);
}

Question drawOne(Draws& d, Kind kind, const Options& o)
{
    Question q;
    q.kind = kind;
    q.subnetZero = o.subnetZero;
    q.rfc3021 = o.rfc3021;
    const Case at = d.pick(casesOf(kind, o));
    const DrawClass& c = kDrawClasses[at.cls];
    q.classLetter = c.letter;
    q.classBits = c.bits;
    switch (kind) {
    case Kind::MaskForLength:
    case Kind::LengthForMask:
        // No address: one that held the mask would show the answer.
        q.given = Network4(0, at.length);
        break;
    case Kind::Summary: {
        // 2^spread networks of the length fill the summary; two to four of
        // them are given, from both halves so the summary is no longer.
        const int spread = d.between(1, std::min(3, at.length - kShortestLength));
        const int slots = 1 << spread;
        const int given = d.between(2, std::min(4, slots));
        const Network4 summary = Network4(classAddress(d, c), at.length - spread).trunc();
        std::vector<int> chosen = {int(d.below(std::uint64_t(slots / 2))),
                                   slots / 2 + int(d.below(std::uint64_t(slots / 2)))};
        while (int(chosen.size()) < given) {
            const int slot = int(d.below(std::uint64_t(slots)));
            if (std::find(chosen.begin(), chosen.end(), slot) == chosen.end())
                chosen.push_back(slot);
        }
        std::sort(chosen.begin(), chosen.end());
        const auto rows = summary.subnets(at.length);
        for (int slot : chosen)
            q.networks.push_back(rows[std::uint64_t(slot)]);
        q.given = summary;
        break;
    }
    case Kind::Vlsm: {
        // The blocks' lengths first, then a host count each needs exactly,
        // then the smallest network that holds them (or one twice as big).
        std::vector<int> lengths;
        for (int length = std::max(o.shortest, kShortestVlsmBlock); length <= o.longest; ++length)
            if (length > o.longest - kVlsmLengths && neededLength(length, o.rfc3021))
                lengths.push_back(length);
        const int blocks = d.between(3, 4);
        std::uint64_t room = 0;
        for (int i = 0; i < blocks; ++i) {
            const int length = d.pick(lengths);
            const std::uint64_t most = Network4(0, length).hosts(o.rfc3021);
            const std::uint64_t fewer = length < 32 ? Network4(0, length + 1).hosts(o.rfc3021) : 0;
            q.hosts.push_back(fewer + 1 + d.below(most - fewer));
            room += Network4(0, length).size();
        }
        int length = 32;
        while (Network4(0, length).size() < room)
            --length;
        if (length > kShortestLength)
            length -= int(d.below(2));
        q.given = Network4(classAddress(d, c), length).trunc();
        q.classLetter = addressclass::Of(q.given.address()).letter;
        q.classBits = addressclass::Of(q.given.address()).bits;
        break;
    }
    default:
        q.given = Network4(placedAddress(d, c, at.length, isAddressKind(kind) && !o.subnetZero), at.length);
        break;
    }
    return q;
}

std::string dottedOf(std::uint32_t value)
{
    return dotted::ToString(value);
}

std::string cidrOf(const Network4& n)
{
    return dotted::ToString(n.address()) + '/' + std::to_string(n.length());
}

std::string lowered(std::string_view text)
{
    std::string s(text);
    for (char& ch : s)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// The comma-separated items of a text, each trimmed.
std::vector<std::string_view> items(std::string_view text)
{
    std::vector<std::string_view> out;
    for (;;) {
        const size_t comma = text.find(',');
        out.push_back(Trimmed(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            return out;
        text.remove_prefix(comma + 1);
    }
}

// A decimal number up to `most`, or nothing with `problem` naming `what`.
std::optional<std::int64_t> number(std::string_view what, std::string_view text, std::int64_t most,
                                   std::string& problem)
{
    if (text.empty()) {
        problem = std::string(what) + " is empty";
        return std::nullopt;
    }
    problem = decimal::Fault(what, text);
    if (!problem.empty())
        return std::nullopt;
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n > most) {
        problem = std::string(what) + ' ' + Shown(text) + " is more than " + std::to_string(most);
        return std::nullopt;
    }
    return n;
}

std::optional<Network4> parseNetwork(std::string_view text, std::string& problem)
{
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        problem = Shown(text) + " has no length; write network/length, such as 10.1.0.0/16";
        return std::nullopt;
    }
    const auto address = dotted::Parse(text.substr(0, slash), &problem);
    if (!address)
        return std::nullopt;
    const std::string_view after = text.substr(slash + 1);
    if (after.find('.') != std::string_view::npos) {
        const auto mask = dotted::Parse(after, &problem, "the mask", "mask octet");
        if (!mask)
            return std::nullopt;
        const int length = Network4::lengthOfMask(*mask);
        if (length < 0) {
            problem = "the mask " + Shown(after) + " has a one after a zero";
            return std::nullopt;
        }
        return Network4(*address, length);
    }
    const auto length = number("the length", after, 32, problem);
    if (!length)
        return std::nullopt;
    return Network4(*address, int(*length));
}

// "1, 2 and 3"
std::string listed(const std::vector<std::string>& parts)
{
    std::string s;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            s += i + 1 == parts.size() ? " and " : ", ";
        s += parts[i];
    }
    return s;
}

std::string power(int bits)
{
    return "2^" + std::to_string(bits);
}

Formula formulaOf(const Question& q, std::int64_t learner)
{
    Formula f;
    const SubnetFacts facts = FactsOf(q);
    f.maskBits = q.given.length();
    f.learner = learner;
    if (q.kind == Kind::SubnetCount) {
        f.letter = 'S';
        f.bits = facts.subnetBits;
        f.classBits = facts.classBits;
        f.rule = q.subnetZero ? Formula::Rule::Power : Formula::Rule::MinusTwo;
        f.value = q.subnetZero ? facts.totalSubnets : facts.usableSubnets;
    } else {
        f.letter = 'H';
        f.bits = facts.hostBits;
        f.rule = f.bits >= 2 ? Formula::Rule::MinusTwo : q.rfc3021 ? Formula::Rule::Rfc3021 : Formula::Rule::NoHosts;
        f.value = std::int64_t(q.given.hosts(q.rfc3021));
    }
    // What the learner's number would be the count of, as 2 is both 2^1 and
    // 2^2 - 2: the right bits first, then the right rule.
    const bool minusTwoFirst = f.rule != Formula::Rule::Power;
    const auto is = [&](int k, bool minusTwo) {
        if (k < 0 || k > 32 || (std::int64_t(1) << k) - (minusTwo ? 2 : 0) != learner)
            return false;
        f.learnerBits = k;
        f.learnerMinusTwo = minusTwo;
        return true;
    };
    if (is(f.bits, minusTwoFirst) || is(f.bits, !minusTwoFirst))
        return f;
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 0; k <= 32; ++k)
            if (is(k, (pass == 0) == minusTwoFirst))
                return f;
    return f;
}

} // namespace

std::string_view NameOf(Kind kind)
{
    return kKindTexts[int(kind)].name;
}

std::string_view TitleOf(Kind kind)
{
    return kKindTexts[int(kind)].title;
}

unsigned DrawableKinds(const Options& o)
{
    unsigned kinds = 0;
    if (o.shortest < kShortestLength || o.longest > kLongestLength || o.shortest > o.longest)
        return 0;
    for (int k = 0; k < kKindCount; ++k)
        if ((o.kinds & BitOf(Kind(k))) && !casesOf(Kind(k), o).empty())
            kinds |= BitOf(Kind(k));
    return kinds;
}

std::string OptionsFault(const Options& o)
{
    if (o.count < 1 || o.count > kMaxCount)
        return "the count " + std::to_string(o.count) + " is outside 1 to " + std::to_string(kMaxCount);
    if (o.shortest > o.longest)
        return "the mask lengths run from /" + std::to_string(o.shortest) + " down to /" + std::to_string(o.longest) +
               "; give the shorter first";
    if (o.shortest < kShortestLength || o.longest > kLongestLength)
        return "the mask lengths " + std::to_string(o.shortest) + " to " + std::to_string(o.longest) +
               " are not within " + std::to_string(kShortestLength) + " to " + std::to_string(kLongestLength);
    if ((o.kinds & kAllKinds) == 0)
        return "no question type is chosen";
    if ((o.classes & kAllClasses) == 0 &&
        (o.kinds & kAllKinds & ~(BitOf(Kind::MaskForLength) | BitOf(Kind::LengthForMask))))
        return "no class is chosen";
    if (DrawableKinds(o) == 0)
        return "no question of the chosen types is defined for " +
               (o.shortest == o.longest ? "mask /" + std::to_string(o.shortest)
                                        : "masks /" + std::to_string(o.shortest) + " to /" + std::to_string(o.longest)) +
               " of the chosen classes";
    return std::string();
}

std::vector<Question> DrawSet(const Options& o)
{
    std::vector<Kind> kinds;
    const unsigned drawable = OptionsFault(o).empty() ? DrawableKinds(o) : 0;
    for (int k = 0; k < kKindCount; ++k)
        if (drawable & BitOf(Kind(k)))
            kinds.push_back(Kind(k));
    std::vector<Question> set;
    if (kinds.empty())
        return set;
    Draws d(o.seed);
    for (int i = 0; i < o.count; ++i)
        set.push_back(drawOne(d, d.pick(kinds), o));
    return set;
}

std::string CommandLine(const Options& o)
{
    std::string s = "quillmark --practice --seed " + std::to_string(o.seed);
    if (o.count != kDefaults.count)
        s += " --count " + std::to_string(o.count);
    if ((o.kinds & kAllKinds) != kAllKinds) {
        std::vector<std::string> names;
        for (int k = 0; k < kKindCount; ++k)
            if (o.kinds & BitOf(Kind(k)))
                names.emplace_back(NameOf(Kind(k)));
        s += " --types ";
        for (size_t i = 0; i < names.size(); ++i)
            s += (i ? "," : "") + names[i];
    }
    // No class at all is only for the mask questions, which take none.
    if ((o.classes & kAllClasses) != kAllClasses && (o.classes & kAllClasses) != 0) {
        s += " --classes ";
        for (int c = 0; c < 3; ++c)
            if (o.classes & (1u << c))
                s += kDrawClasses[c].letter;
    }
    if (o.shortest != kDefaults.shortest || o.longest != kDefaults.longest)
        s += " --masks " + std::to_string(o.shortest) + '-' + std::to_string(o.longest);
    if (o.subnetZero)
        s += " --subnet-zero";
    if (o.rfc3021)
        s += " --rfc3021";
    return s;
}

std::optional<unsigned> ParseKinds(std::string_view text, std::string& problem)
{
    unsigned kinds = 0;
    for (std::string_view item : items(text)) {
        const std::string name = lowered(item);
        if (name == "all") {
            kinds |= kAllKinds;
            continue;
        }
        int found = -1;
        for (int k = 0; k < kKindCount; ++k)
            if (kKindTexts[k].name == name)
                found = k;
        if (found < 0) {
            problem = "the question type " + Shown(item) + " is none of all";
            for (const KindText& t : kKindTexts)
                problem.append(", ").append(t.name);
            return std::nullopt;
        }
        kinds |= BitOf(Kind(found));
    }
    return kinds;
}

std::optional<unsigned> ParseClasses(std::string_view text, std::string& problem)
{
    unsigned classes = 0;
    for (std::string_view item : items(text)) {
        if (item.empty()) {
            problem = "a class in " + Shown(text) + " is empty";
            return std::nullopt;
        }
        for (char ch : item) {
            const char upper = char(std::toupper(static_cast<unsigned char>(ch)));
            if (upper < 'A' || upper > 'C') {
                problem = "the class " + Shown(item) + " is not A, B or C";
                return std::nullopt;
            }
            classes |= 1u << (upper - 'A');
        }
    }
    return classes;
}

std::optional<std::pair<int, int>> ParseLengths(std::string_view text, std::string& problem)
{
    const size_t dash = text.find('-');
    const std::string_view first = Trimmed(text.substr(0, dash));
    const std::string_view last = dash == std::string_view::npos ? first : Trimmed(text.substr(dash + 1));
    const auto low = number("the mask length", first, 99, problem);
    const auto high = low ? number("the mask length", last, 99, problem) : std::nullopt;
    if (!low || !high)
        return std::nullopt;
    if (*low < kShortestLength || *high > kLongestLength || *low > *high) {
        problem = "the mask lengths " + Shown(text) + " are not a range within " + std::to_string(kShortestLength) +
                  " to " + std::to_string(kLongestLength);
        return std::nullopt;
    }
    return std::make_pair(int(*low), int(*high));
}

Field FieldOf(Kind kind)
{
    switch (kind) {
    case Kind::NetworkAddress:
    case Kind::BroadcastAddress: return Field::Address;
    case Kind::FirstHost:
    case Kind::LastHost: return Field::AddressOrNone;
    case Kind::SubnetCount:
    case Kind::HostCount: return Field::Count;
    case Kind::MaskForLength: return Field::Mask;
    case Kind::LengthForMask: return Field::Length;
    case Kind::WhichSubnet:
    case Kind::Summary: return Field::Network;
    case Kind::Vlsm: return Field::Blocks;
    }
    return Field::Address;
}

SubnetFacts FactsOf(const Question& q)
{
    return ComputeSubnetFacts(q.given.address(), q.given.length());
}

Answer NearMiss(const Question& q)
{
    Answer a = RightAnswer(q);
    const int length = q.kind == Kind::Summary ? a.network.length() : q.given.length();
    a.address ^= std::uint32_t(1) << (32 - std::min(32, std::max(1, length)));
    a.network = Network4(a.network.address(), std::min(32, a.network.length() + 1));
    a.number += a.number ? -1 : 2;
    if (!a.blocks.empty())
        a.blocks[0] = Network4(a.blocks[0].address(), std::min(32, a.blocks[0].length() + 1));
    a.none = false;
    return a;
}

Answer RightAnswer(const Question& q)
{
    Answer a;
    const Network4& n = q.given;
    switch (q.kind) {
    case Kind::NetworkAddress: a.address = n.network(); break;
    case Kind::BroadcastAddress: a.address = n.broadcast(); break;
    case Kind::FirstHost:
    case Kind::LastHost:
        a.none = !n.hasHosts(q.rfc3021);
        if (!a.none)
            a.address = q.kind == Kind::FirstHost ? n.firstHost(q.rfc3021) : n.lastHost(q.rfc3021);
        break;
    case Kind::SubnetCount:
    case Kind::HostCount: a.number = formulaOf(q, 0).value; break;
    case Kind::MaskForLength: a.address = n.mask(); break;
    case Kind::LengthForMask: a.number = n.length(); break;
    case Kind::WhichSubnet: a.network = n.trunc(); break;
    case Kind::Summary: a.network = net::Summary<32>(q.networks); break;
    case Kind::Vlsm: {
        std::vector<net::PlanRequest> requests;
        for (std::uint64_t h : q.hosts)
            requests.push_back({std::string(), h});
        for (const auto& allocation : net::PlanSubnets(n.trunc(), requests, q.rfc3021).allocations)
            a.blocks.push_back(allocation.block);
        break;
    }
    }
    return a;
}

Verdict Check(const Question& q, const Answer& a)
{
    Verdict v;
    v.expected = RightAnswer(q);
    const Answer& e = v.expected;
    switch (FieldOf(q.kind)) {
    case Field::Address:
    case Field::AddressOrNone:
        v.noneWrong = a.none != e.none;
        if (!a.none && !e.none)
            v.differing = a.address ^ e.address;
        v.right = !v.noneWrong && v.differing == 0;
        break;
    case Field::Mask:
        v.differing = a.address ^ e.address;
        v.notContiguous = Network4::lengthOfMask(a.address) < 0;
        v.right = v.differing == 0;
        break;
    case Field::Length:
        if (a.number >= 0 && a.number <= 32)
            v.differing = Network4::maskOf(int(a.number)) ^ q.given.mask();
        v.right = a.number == e.number;
        break;
    case Field::Count:
        v.formula = formulaOf(q, a.number);
        v.right = a.number == e.number;
        break;
    case Field::Network:
        v.differing = a.network.address() ^ e.network.network();
        v.lengthWrong = a.network.length() != e.network.length();
        v.hostBitsSet = a.network.address() != a.network.network();
        if (q.kind == Kind::Summary) {
            v.commonBits = e.network.length();
            v.firstDifferingBit = v.commonBits < 32 ? v.commonBits + 1 : 0;
            for (size_t i = 0; i < q.networks.size(); ++i)
                if (!a.network.trunc().contains(q.networks[i]))
                    v.missed.push_back(int(i));
            v.tooBig = v.missed.empty() && a.network.length() < e.network.length();
        }
        v.right = v.differing == 0 && !v.lengthWrong;
        break;
    case Field::Blocks: {
        v.wrongBlockCount = a.blocks.size() != q.hosts.size();
        if (v.wrongBlockCount)
            break;
        const Network4 within = q.given.trunc();
        v.right = true;
        for (size_t i = 0; i < a.blocks.size(); ++i) {
            BlockCheck b;
            b.block = a.blocks[i];
            b.wanted = q.hosts[i];
            b.holds = b.block.hosts(q.rfc3021);
            b.neededLength = net::BlockLengthFor<32>(b.wanted, q.rfc3021);
            b.misaligned = b.block.address() != b.block.network();
            b.outside = !within.contains(b.block.trunc());
            b.tooSmall = b.holds < b.wanted;
            b.larger = !b.tooSmall && b.block.length() < b.neededLength;
            for (size_t j = 0; j < a.blocks.size(); ++j)
                if (j != i && b.block.trunc().overlaps(a.blocks[j].trunc()))
                    b.overlaps.push_back(int(j));
            v.right = v.right && b.fine();
            v.blocks.push_back(std::move(b));
        }
        break;
    }
    }
    return v;
}

std::vector<int> BitPositions(std::uint32_t bits)
{
    std::vector<int> positions;
    for (int i = 0; i < 32; ++i)
        if (bits >> (31 - i) & 1)
            positions.push_back(i + 1);
    return positions;
}

std::string PromptText(const Question& q)
{
    const std::string given = cidrOf(q.given);
    const std::string rfc = q.rfc3021 ? " (RFC 3021 followed)" : "";
    switch (q.kind) {
    case Kind::NetworkAddress: return given + ": what is the network address?";
    case Kind::BroadcastAddress: return given + ": what is the broadcast address?";
    case Kind::FirstHost: return given + ": what is the first usable host?" + rfc;
    case Kind::LastHost: return given + ": what is the last usable host?" + rfc;
    case Kind::SubnetCount:
        return given + ": how many usable subnets has its class " + q.classLetter + " network at this mask? " +
               (q.subnetZero ? "(subnet zero and the all-ones subnet counted)"
                             : "(subnet zero and the all-ones subnet set aside)");
    case Kind::HostCount: return given + ": how many usable hosts does each subnet have?" + rfc;
    case Kind::MaskForLength: return "What is the dotted mask of /" + std::to_string(q.given.length()) + "?";
    case Kind::LengthForMask: return "What is the length of the mask " + dottedOf(q.given.mask()) + "?";
    case Kind::WhichSubnet:
        return "Which subnet holds host " + dottedOf(q.given.address()) + " with mask " + dottedOf(q.given.mask()) + "?";
    case Kind::Summary: {
        std::vector<std::string> parts;
        for (const Network4& n : q.networks)
            parts.push_back(cidrOf(n));
        return "What is the summary route of " + listed(parts) + "?";
    }
    case Kind::Vlsm: {
        std::vector<std::string> parts;
        for (std::uint64_t h : q.hosts)
            parts.push_back(std::to_string(h));
        return "Give " + cidrOf(q.given) + " a block for each host count, in this order: " + listed(parts) + "." + rfc;
    }
    }
    return std::string();
}

std::string_view AnswerHint(Field field)
{
    switch (field) {
    case Field::Address: return "a dotted address, such as 192.168.1.64";
    case Field::AddressOrNone: return "a dotted address, or none when there is no such address";
    case Field::Count: return "a number";
    case Field::Length: return "a length, such as /26";
    case Field::Mask: return "a dotted mask, such as 255.255.255.192";
    case Field::Network: return "network/length, such as 10.1.0.0/16";
    case Field::Blocks: return "network/length for each count, in order, separated by blanks";
    }
    return {};
}

std::optional<Answer> ParseAnswer(Field field, std::string_view text, std::string& problem)
{
    text = Trimmed(text);
    Answer a;
    if (text.empty()) {
        problem = "no answer given";
        return std::nullopt;
    }
    switch (field) {
    case Field::AddressOrNone:
        if (const std::string word = lowered(text); word == "none" || word == "-") {
            a.none = true;
            return a;
        }
        [[fallthrough]];
    case Field::Address:
        if (text.find('.') == std::string_view::npos) {
            const std::string word = lowered(text);
            problem = word == "none" || word == "-"
                          ? "this address always exists; type it"
                          : "not an address; type four octets, such as 192.168.1.64" +
                                std::string(field == Field::AddressOrNone ? ", or none" : "");
            return std::nullopt;
        }
        if (const auto address = dotted::Parse(text, &problem)) {
            a.address = *address;
            return a;
        }
        return std::nullopt;
    case Field::Mask:
        if (text.find('.') == std::string_view::npos) {
            problem = "not a dotted mask; type four octets, such as 255.255.255.192";
            return std::nullopt;
        }
        if (const auto mask = dotted::Parse(text, &problem, "the mask", "mask octet")) {
            a.address = *mask;
            return a;
        }
        return std::nullopt;
    case Field::Count:
        if (const auto n = number("the count", text, std::int64_t(1) << 40, problem)) {
            a.number = *n;
            return a;
        }
        return std::nullopt;
    case Field::Length:
        if (text.front() == '/')
            text.remove_prefix(1);
        if (const auto n = number("the length", text, 32, problem)) {
            a.number = *n;
            return a;
        }
        return std::nullopt;
    case Field::Network:
        if (const auto n = parseNetwork(text, problem)) {
            a.network = *n;
            return a;
        }
        return std::nullopt;
    case Field::Blocks: {
        constexpr size_t kMostBlocks = 64;
        constexpr std::string_view kBetween = " \t\r\n\f\v,";
        for (size_t at = text.find_first_not_of(kBetween); at != std::string_view::npos;
             at = text.find_first_not_of(kBetween, at)) {
            const size_t end = std::min(text.find_first_of(kBetween, at), text.size());
            if (a.blocks.size() == kMostBlocks) {
                problem = "more than " + std::to_string(kMostBlocks) + " blocks";
                return std::nullopt;
            }
            const auto n = parseNetwork(text.substr(at, end - at), problem);
            if (!n)
                return std::nullopt;
            a.blocks.push_back(*n);
            at = end;
        }
        if (a.blocks.empty()) {
            problem = "no block given";
            return std::nullopt;
        }
        return a;
    }
    }
    return std::nullopt;
}

std::string AnswerText(Field field, const Answer& a)
{
    switch (field) {
    case Field::AddressOrNone:
        if (a.none)
            return "none";
        [[fallthrough]];
    case Field::Address:
    case Field::Mask: return dottedOf(a.address);
    case Field::Count: return std::to_string(a.number);
    case Field::Length: return '/' + std::to_string(a.number);
    case Field::Network: return cidrOf(a.network);
    case Field::Blocks: {
        std::string s;
        for (const Network4& n : a.blocks)
            s += (s.empty() ? "" : " ") + cidrOf(n);
        return s;
    }
    }
    return std::string();
}

std::vector<std::string> Explanation(const Question& q, const Answer& a, const Verdict& v)
{
    std::vector<std::string> lines;
    if (v.right)
        return lines;
    const Answer& e = v.expected;
    const int m = q.given.length();
    const std::string mText = "/" + std::to_string(m);
    const std::string hostBits = std::to_string(32 - m) + " host bit" + (m == 31 ? "" : "s");
    const auto differingLine = [&](std::string_view what) {
        std::vector<std::string> positions;
        for (int p : BitPositions(v.differing))
            positions.push_back(std::to_string(p));
        // A long list says less than its count and its ends.
        constexpr size_t kListed = 8;
        if (positions.size() > kListed)
            lines.push_back(std::string(what) + " differs from the right one in " + std::to_string(positions.size()) +
                            " bits, from bit " + positions.front() + " to bit " + positions.back() +
                            " (counted from the left).");
        else if (!positions.empty())
            lines.push_back(std::string(what) + " differs from the right one in bit" +
                            (positions.size() == 1 ? " " : "s ") + listed(positions) + " (counted from the left).");
    };
    switch (q.kind) {
    case Kind::NetworkAddress:
        lines.push_back("The network address keeps the first " + std::to_string(m) + " bits of " +
                        dottedOf(q.given.address()) + " and sets the " + hostBits + " to 0: " + dottedOf(e.address) +
                        ".");
        differingLine("Your address");
        break;
    case Kind::BroadcastAddress:
        lines.push_back("The broadcast address keeps the first " + std::to_string(m) + " bits of " +
                        dottedOf(q.given.address()) + " and sets the " + hostBits + " to 1: " + dottedOf(e.address) +
                        ".");
        differingLine("Your address");
        break;
    case Kind::FirstHost:
    case Kind::LastHost: {
        const bool first = q.kind == Kind::FirstHost;
        const std::string block = cidrOf(q.given.trunc());
        if (e.none) {
            lines.push_back(m == 32 ? "A /32 has no host bits: its one address is no usable host without RFC 3021."
                                    : "A /31 has no usable host without RFC 3021: 2^1 - 2 = 0; its two addresses are "
                                      "the network and broadcast addresses.");
        } else if (m >= 31) {
            lines.push_back(m == 32 ? "Under RFC 3021 a /32's one address is its host: " + dottedOf(e.address) + "."
                                    : std::string("Under RFC 3021 both addresses of a /31 link are hosts: the ") +
                                          (first ? "first" : "last") + " is " + dottedOf(e.address) + ".");
        } else {
            lines.push_back(std::string("The ") + (first ? "first" : "last") + " usable host of " + block +
                            " is its " + (first ? "network address plus 1" : "broadcast address minus 1") + ": " +
                            dottedOf(e.address) + ".");
        }
        if (v.noneWrong && a.none)
            lines.push_back("There is such an address: " + dottedOf(e.address) + ".");
        else if (v.noneWrong)
            lines.push_back("So there is no such address; the answer is none.");
        differingLine("Your address");
        break;
    }
    case Kind::SubnetCount:
    case Kind::HostCount: {
        const Formula& f = v.formula;
        const std::string bits = std::to_string(f.bits);
        if (f.letter == 'S')
            lines.push_back("S = M - C = " + std::to_string(f.maskBits) + " - " + std::to_string(f.classBits) + " = " +
                            bits + " subnet bit" + (f.bits == 1 ? "" : "s") + " (mask " + mText + ", class " +
                            q.classLetter + " default /" + std::to_string(f.classBits) + ").");
        else
            lines.push_back("H = 32 - M = 32 - " + std::to_string(f.maskBits) + " = " + bits + " host bit" +
                            (f.bits == 1 ? "" : "s") + ".");
        const std::string value = std::to_string(f.value);
        switch (f.rule) {
        case Formula::Rule::MinusTwo:
            lines.push_back(f.letter == 'S'
                                ? "With subnet zero and the all-ones subnet set aside: " + power(f.bits) + " - 2 = " +
                                      value + "."
                                : power(f.bits) + " - 2 = " + value +
                                      ": the all-zeros and all-ones host fields are the network and broadcast "
                                      "addresses.");
            break;
        case Formula::Rule::Power:
            lines.push_back("With subnet zero and the all-ones subnet used: " + power(f.bits) + " = " + value + ".");
            break;
        case Formula::Rule::Rfc3021:
            lines.push_back(m == 31 ? "Under RFC 3021 a /31 link uses both its addresses: 2 hosts."
                                    : "Under RFC 3021 a /32 is one host: 1.");
            break;
        case Formula::Rule::NoHosts:
            lines.push_back(m == 31 ? "2^1 - 2 = 0: without RFC 3021 a /31 has no usable host."
                                    : "A /32 has no host bits: without RFC 3021 it has no usable host (0).");
            break;
        }
        // Beside RFC 3021's rule and a block without hosts a power of two
        // says nothing more.
        if (f.learnerBits >= 0 && (f.rule == Formula::Rule::MinusTwo || f.rule == Formula::Rule::Power)) {
            const std::string form = power(f.learnerBits) + (f.learnerMinusTwo ? " - 2" : "");
            std::string note = "Your " + std::to_string(f.learner) + " is " + form;
            if (f.learnerBits == f.bits && f.letter == 'S')
                note += f.learnerMinusTwo ? ": that sets subnet zero and the all-ones subnet aside, which this set "
                                            "does not."
                                          : ": that counts subnet zero and the all-ones subnet, which this set sets "
                                            "aside.";
            else if (f.learnerBits == f.bits)
                note += f.learnerMinusTwo ? "." : ": the network and broadcast addresses are no hosts.";
            else
                note += ": that takes " + std::string(1, f.letter) + " = " + std::to_string(f.learnerBits) + ", not " +
                        bits + ".";
            lines.push_back(note);
        }
        break;
    }
    case Kind::MaskForLength:
        lines.push_back("A " + mText + " mask is " + std::to_string(m) + " ones and then " + std::to_string(32 - m) +
                        " zeros: " + dottedOf(e.address) + ".");
        if (v.notContiguous)
            lines.push_back("Yours has a one after a zero, which no mask has.");
        differingLine("Your mask");
        break;
    case Kind::LengthForMask:
        lines.push_back(dottedOf(q.given.mask()) + " has " + std::to_string(m) + " ones before its zeros: " + mText +
                        ".");
        differingLine("The mask of your length");
        break;
    case Kind::WhichSubnet:
        lines.push_back("The mask " + dottedOf(q.given.mask()) + " is " + mText + "; the subnet is the first " +
                        std::to_string(m) + " bits of " + dottedOf(q.given.address()) + " with the rest 0: " +
                        cidrOf(e.network) + ".");
        if (v.lengthWrong)
            lines.push_back("Your length /" + std::to_string(a.network.length()) + " is not the mask's.");
        if (v.hostBitsSet)
            lines.push_back(cidrOf(a.network) + " has host bits set: it is an address, not its subnet.");
        differingLine("Your network address");
        break;
    case Kind::Summary: {
        lines.push_back(v.firstDifferingBit
                            ? "The networks share their first " + std::to_string(v.commonBits) + " bits; bit " +
                                  std::to_string(v.firstDifferingBit) + " is the first where they differ, so the " +
                                  "summary is " + cidrOf(e.network) + "."
                            : "The summary is " + cidrOf(e.network) + ".");
        std::vector<std::string> missed;
        for (int i : v.missed)
            missed.push_back(cidrOf(q.networks[size_t(i)]));
        if (!missed.empty())
            lines.push_back("Your " + cidrOf(a.network.trunc()) + " leaves out " + listed(missed) + ".");
        if (v.tooBig)
            lines.push_back("Your " + cidrOf(a.network.trunc()) + " holds them all but is larger than it needs to be: " +
                            "/" + std::to_string(v.commonBits) + " is the longest block that holds them.");
        if (v.hostBitsSet)
            lines.push_back(cidrOf(a.network) + " has host bits set: a route is written with its network address.");
        differingLine("Your network address");
        break;
    }
    case Kind::Vlsm:
        if (v.wrongBlockCount) {
            lines.push_back("Give one block for each of the " + std::to_string(q.hosts.size()) +
                            " host counts, in the order asked; you gave " + std::to_string(a.blocks.size()) + ".");
            break;
        }
        for (size_t i = 0; i < v.blocks.size(); ++i) {
            const BlockCheck& b = v.blocks[i];
            if (b.fine())
                continue;
            const std::string head =
                "Block " + std::to_string(i + 1) + " (" + std::to_string(b.wanted) + (b.wanted == 1 ? " host) " : " hosts) ") +
                cidrOf(b.block);
            if (b.misaligned)
                lines.push_back(head + " is not aligned: a /" + std::to_string(b.block.length()) +
                                " starts where its host bits are 0, as " + cidrOf(b.block.trunc()) + " does.");
            if (b.outside)
                lines.push_back(head + " is not inside " + cidrOf(q.given.trunc()) + ".");
            if (b.tooSmall)
                lines.push_back(head + " holds " + std::to_string(b.holds) + " hosts, fewer than " +
                                std::to_string(b.wanted) + "; /" + std::to_string(b.neededLength) +
                                " is the longest length that holds them.");
            for (int j : b.overlaps)
                if (size_t(j) > i)
                    lines.push_back(head + " overlaps block " + std::to_string(j + 1) + " (" +
                                    cidrOf(v.blocks[size_t(j)].block) + ").");
        }
        lines.push_back("One right design: " + AnswerText(Field::Blocks, e) + ".");
        break;
    }
    return lines;
}

std::string ScoreText(int right, int asked, std::int64_t seconds)
{
    std::string s = std::to_string(right) + " of " + std::to_string(asked) + " right in ";
    if (seconds < 60)
        return s + std::to_string(seconds) + " s";
    const std::int64_t rest = seconds % 60;
    return s + std::to_string(seconds / 60) + " min " + (rest < 10 ? "0" : "") + std::to_string(rest) + " s";
}

} // namespace practice
