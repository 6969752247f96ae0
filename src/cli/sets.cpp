#include "cli/sets.h"

#include "cli/grammar.h"
#include "cli/lines.h"
#include "cli/networkinput.h"
#include "cli/output.h"
#include "cli/reportparts.h"
#include "model/dotted.h"
#include "model/ipv6text.h"
#include "model/netset.h"
#include "model/shown.h"

#include <cstring>

namespace cli {

namespace {

using namespace std::string_view_literals;

// Bad members named one a line; past this many they are only counted.
constexpr long kNamed = 20;
// Inputs a summary shows in binary; the rest are counted.
constexpr size_t kShownRows = 64;
// Blocks of over-reach a summary lists by name.
constexpr size_t kListedGaps = 8;

template <int W> using Value = typename net::Network<W>::Value;

char* format(char* at, std::uint32_t a) { return dotted::Format(a, at); }
char* format(char* at, net::uint128 a) { return ipv6text::Format(a, at); }

std::string countText(std::uint64_t n) { return std::to_string(n); }
std::string countText(const net::Count128& n) { return ipv6text::Decimal(n); }

template <int W> std::string cidr(const net::Network<W>& n)
{
    char text[ipv6text::kMaxLength + 4];
    char* at = format(text, n.network());
    *at++ = '/';
    at = std::to_chars(at, text + sizeof text, n.length()).ptr;
    return std::string(text, size_t(at - text));
}

template <int W> std::string spanText(const net::Span<W>& s)
{
    char text[2 * ipv6text::kMaxLength + 1];
    char* at = format(text, s.first);
    *at++ = '-';
    at = format(at, s.last);
    return std::string(text, size_t(at - text));
}

// One block a line: "10.0.0.0/23", or {"network":"10.0.0.0","mask_bits":23}.
template <int W> void writeBlock(TextSink& o, const net::Network<W>& n, bool json)
{
    char* const line = o.reserve(ipv6text::kMaxLength + 32);
    char* at = line;
    if (json) {
        std::memcpy(at, "{\"network\":\"", 12);
        at = format(at + 12, n.network());
        std::memcpy(at, "\",\"mask_bits\":", 14);
        at = std::to_chars(at + 14, at + 18, n.length()).ptr;
        *at++ = '}';
    } else {
        at = format(at, n.network());
        *at++ = '/';
        at = std::to_chars(at, at + 4, n.length()).ptr;
    }
    *at++ = '\n';
    o.commit(at);
}

template <int W> void writeBlocks(Output& out, const net::Span<W>& s, bool json)
{
    net::RangeBlocks<W>(s.first, s.last, [&](const net::Network<W>& n) {
        writeBlock(out.buffer(), n, json);
        out.flushIfFull();
    });
}

template <int W> const net::Span<W>& spanOf(const SetItem& item)
{
    if constexpr (W == 32)
        return item.span4;
    else
        return item.span6;
}

// How an item is named in messages and answers: a network as its block, a
// range as its two ends.
template <int W> std::string itemText(const SetItem& item)
{
    if (item.range)
        return spanText<W>(spanOf<W>(item));
    if constexpr (W == 32)
        return cidr<32>(item.network4);
    else
        return cidr<128>(item.network6);
}

const char* family(bool ipv6) { return ipv6 ? "IPv6" : "IPv4"; }

// Reads the list operand from position `from` on: arguments as given, "-"
// as standard input's lines. Each member that reads is passed to
// take(item, text, problem), which may refuse it by setting `problem` and
// returning false. Every refused member is named (the first kNamed), and
// the status says how it went: kExitOk, kExitBadInput when any member was
// refused, kExitFailure when standard input could not be read.
template <typename Take>
int readList(const Command& c, size_t from, Output& out, const Environment& env, Take take)
{
    long bad = 0;
    const auto where = [](long line) {
        return line > 0 ? "standard input line " + std::to_string(line) + ": " : std::string();
    };
    const auto member = [&](long line, std::string_view text) {
        std::string problem;
        const auto item = ParseSetItem(text, problem);
        if (item)
            problem.clear();
        if ((!item || !take(*item, text, problem)) && ++bad <= kNamed)
            out.problem(where(line) + Shown(text) + ": " + problem);
    };
    for (size_t i = from; i < c.operands.size(); ++i) {
        if (c.operands[i] != "-") {
            member(0, Trimmed(c.operands[i]));
            continue;
        }
        const int error = ReadLines(
            env.in,
            [&](long line, std::string_view text, bool tooLong) {
                if (!tooLong)
                    member(line, text);
                else if (++bad <= kNamed)
                    out.problem(where(line) + "the line is longer than " + std::to_string(kMaxLine) + " bytes");
            },
            [&] { return out.failed(); });
        if (error != 0) {
            out.problem(std::string("cannot read standard input: ") + std::strerror(error));
            return kExitFailure;
        }
    }
    if (bad > kNamed)
        out.problem("and " + std::to_string(bad - kNamed) + " more bad input" + (bad - kNamed == 1 ? "" : "s"));
    return bad > 0 ? kExitBadInput : kExitOk;
}

// The one operand a verb measures the list against: a network or a range.
std::optional<SetItem> readOuter(std::string_view text, Output& out)
{
    std::string problem;
    auto item = ParseSetItem(text, problem);
    if (!item)
        out.problem(Shown(Trimmed(text)) + ": " + problem);
    return item;
}

// Leading bits two values share.
template <int W> int commonBits(Value<W> a, Value<W> b)
{
    const Value<W> differ = a ^ b;
    int bits = 0;
    while (bits < W && !(differ >> (W - 1 - bits) & 1))
        ++bits;
    return bits;
}

// What a summary needs of its inputs; only the first few are kept whole.
template <int W> struct Summarized {
    std::vector<net::Network<W>> shown;
    size_t count = 0;
    net::SpanSet<W> all;
    Value<W> lowest = 0, highestNetwork = 0, highest = 0;

    void add(const net::Network<W>& n)
    {
        if (shown.size() < kShownRows)
            shown.push_back(n.trunc());
        if (count == 0 || n.network() < lowest)
            lowest = n.network();
        if (count == 0 || n.network() > highestNetwork)
            highestNetwork = n.network();
        if (count == 0 || n.broadcast() > highest)
            highest = n.broadcast();
        all.add(n);
        ++count;
    }
};

// An address in binary, octets or hextets apart, the summary's bits in the
// network colour and the first differing bit (`differs`, or -1) marked.
template <int W> void writeBinary(TextSink& o, Value<W> a, int shown, int common, int differs, Colour colour)
{
    constexpr int group = W == 32 ? 8 : 16;
    const char separator = W == 32 ? '.' : ':';
    const std::string_view network = parts::colourOf('N');
    constexpr std::string_view marked = "\x1b[1;7m"sv; // bold, inverse
    std::string_view current;
    for (int bit = 0; bit < shown; ++bit) {
        if (bit > 0 && bit % group == 0) {
            if (!current.empty())
                o << parts::kReset;
            current = {};
            o << separator;
        }
        std::string_view want;
        if (colour == Colour::On)
            want = bit < common ? network : bit == differs ? marked : std::string_view();
        if (want != current) {
            if (!current.empty())
                o << parts::kReset;
            o << want;
            current = want;
        }
        o << char('0' + int(a >> (W - 1 - bit) & 1));
    }
    if (!current.empty())
        o << parts::kReset;
    if (shown < W)
        o << separator << "..."sv;
}

template <int W> void writeSummary(TextSink& o, Summarized<W>& s, bool json, Colour colour)
{
    const net::Network<W> summary = net::SummaryOf<W>(s.lowest, s.highest);
    const int length = summary.length();
    const auto inputs = s.all.size();
    const auto extra = summary.size() - inputs;
    if (json) {
        {
            parts::JsonObject j(o);
            char text[ipv6text::kMaxLength];
            j.text("summary"sv, std::string_view(text, size_t(format(text, summary.network()) - text)));
            j.number("mask_bits"sv, length);
            if constexpr (W == 32)
                j.number("extra_addresses"sv, std::int64_t(extra));
            else
                j.text("extra_addresses"sv, countText(extra));
        }
        o << '\n';
        return;
    }
    // The network addresses differ first right after the summary's bits,
    // unless an input's own length stops the summary sooner.
    const int shared = commonBits<W>(s.lowest, s.highestNetwork);
    const int differs = shared == length && length < W ? length : -1;

    // An IPv6 row stops after the group that holds the last bit that
    // matters: no input's network has a one bit past its own length.
    int shown = differs + 1;
    for (const auto& n : s.shown)
        shown = std::max(shown, n.length());
    constexpr int group = W == 32 ? 8 : 16;
    shown = W == 32 ? W : std::min(W, std::max(group, (shown + group - 1) / group * group));

    size_t column = "Over-reach:"sv.size() + 2;
    for (const auto& n : s.shown)
        column = std::max(column, cidr<W>(n).size() + 2);
    for (const auto& n : s.shown) {
        const std::string label = cidr<W>(n);
        o << label;
        o.spaces(column - label.size());
        writeBinary<W>(o, n.network(), shown, length, differs, colour);
        o << '\n';
    }
    if (s.count > s.shown.size())
        o << "(and " << std::int64_t(s.count - s.shown.size()) << " more inputs, not shown)\n";
    // Under the rows: "=" under the shared bits, "^" under the first that differs.
    o.spaces(column);
    for (int bit = 0; bit < length; ++bit)
        o << (bit > 0 && bit % group == 0 ? "==" : "=");
    if (differs >= 0)
        o << (differs > 0 && differs % group == 0 ? " ^" : "^");
    o << '\n';

    const auto caption = [&](std::string_view name) { o << name; o.spaces(column - name.size()); };
    caption("Summary:");
    o << cidr<W>(summary) << ": ";
    if (s.count == 1)
        o << "a single input is its own summary\n";
    else if (differs == 0)
        o << "the inputs differ from their first bit on\n";
    else if (differs > 0)
        o << "the " << std::int64_t(length) << " bit" << (length == 1 ? "" : "s") << " every input shares; bit "
          << std::int64_t(length + 1) << " is the first that differs\n";
    else
        o << cidr<W>(summary) << " holds every input\n";
    caption("Addresses:");
    o << countText(summary.size()) << " in the summary, " << countText(inputs) << " in the inputs\n";
    caption("Over-reach:");
    if (extra == 0) {
        o << "none: every address of the summary is in an input\n";
        return;
    }
    // Say plainly what a route to the summary would wrongly take in.
    o << countText(extra) << " address" << (extra == 1 ? "" : "es") << " in no input:";
    // The first few by name; "and 1 more block" would be longer than the block.
    std::vector<std::string> named;
    size_t more = 0;
    for (const auto& gap : s.all.gapsIn({summary.network(), summary.broadcast()}))
        net::RangeBlocks<W>(gap.first, gap.last, [&](const net::Network<W>& n) {
            if (named.size() <= kListedGaps)
                named.push_back(cidr<W>(n));
            else
                ++more;
        });
    if (more > 0) {
        ++more;
        named.pop_back();
    }
    for (size_t i = 0; i < named.size(); ++i)
        o << (i ? ", " : " ") << named[i];
    if (more > 0)
        o << " and " << std::int64_t(more) << " more blocks";
    o << '\n';
}

} // namespace

int RunAggregate(const Command& c, Output& out, const Environment& env)
{
    net::SpanSet<32> v4;
    net::SpanSet<128> v6;
    const int status = readList(c, 0, out, env, [&](const SetItem& item, std::string_view, std::string&) {
        if (item.ipv6)
            v6.add(item.span6);
        else
            v4.add(item.span4);
        return true;
    });
    if (status != kExitOk)
        return status; // a merge of some of the input would be a wrong answer
    for (const auto& s : v4.spans())
        writeBlocks<32>(out, s, c.json);
    for (const auto& s : v6.spans())
        writeBlocks<128>(out, s, c.json);
    return out.finish(kExitOk);
}

int RunSummarize(const Command& c, Output& out, const Environment& env)
{
    Summarized<32> v4;
    Summarized<128> v6;
    const int status = readList(c, 0, out, env, [&](const SetItem& item, std::string_view, std::string& problem) {
        if (item.range) {
            problem = "--summarize takes networks; --range turns a range into blocks";
            return false;
        }
        if (item.ipv6)
            v6.add(item.network6);
        else
            v4.add(item.network4);
        return true;
    });
    if (status != kExitOk)
        return status;
    if (v4.count + v6.count == 0) {
        out.problem("no networks to summarize on standard input");
        return kExitBadInput;
    }
    const Colour colour = WantsColour(c, env) ? Colour::On : Colour::Off;
    if (v4.count > 0)
        writeSummary<32>(out.buffer(), v4, c.json, colour);
    if (v4.count > 0 && v6.count > 0 && !c.json)
        out.buffer() << '\n';
    if (v6.count > 0)
        writeSummary<128>(out.buffer(), v6, c.json, colour);
    return out.finish(kExitOk);
}

int RunRange(const Command& c, Output& out, const Environment&)
{
    std::string problem;
    std::optional<SetItem> range;
    if (c.operands.size() == 2) {
        range = ParseRange(c.operands[0], c.operands[1], problem);
        if (!range)
            out.problem(Shown(Trimmed(c.operands[0])) + " to " + Shown(Trimmed(c.operands[1])) + ": " + problem);
    } else {
        const std::string_view text = Trimmed(c.operands[0]);
        const size_t dash = text.find('-');
        if (dash == std::string_view::npos || dash == 0)
            problem = "not a range; write FIRST-LAST or FIRST LAST, such as 10.0.0.5-10.0.0.17";
        else
            range = ParseRange(text.substr(0, dash), text.substr(dash + 1), problem);
        if (!range)
            out.problem(Shown(text) + ": " + problem);
    }
    if (!range)
        return kExitBadInput;
    if (range->ipv6)
        writeBlocks<128>(out, range->span6, c.json);
    else
        writeBlocks<32>(out, range->span4, c.json);
    return out.finish(kExitOk);
}

namespace {

template <int W> int exclude(const Command& c, const SetItem& outer, Output& out, const Environment& env)
{
    const net::Span<W> whole = spanOf<W>(outer);
    net::SpanSet<W> cut;
    const int status = readList(c, 1, out, env, [&](const SetItem& item, std::string_view, std::string& problem) {
        if (item.ipv6 != outer.ipv6)
            problem = std::string(family(item.ipv6)) + ", and " + itemText<W>(outer) + " is " +
                      family(outer.ipv6) + "; an exclusion has one family";
        else if (spanOf<W>(item).first < whole.first || spanOf<W>(item).last > whole.last)
            problem = "not inside " + itemText<W>(outer);
        else
            cut.add(spanOf<W>(item));
        return problem.empty();
    });
    if (status != kExitOk)
        return status;
    for (const auto& gap : cut.gapsIn(whole))
        writeBlocks<W>(out, gap, c.json);
    return out.finish(kExitOk);
}

template <int W> int contains(const Command& c, const SetItem& outer, Output& out, const Environment& env)
{
    const net::Span<W> whole = spanOf<W>(outer);
    const std::string wholeText = itemText<W>(outer);
    bool anyOutside = false;
    size_t answered = 0;
    const int status = readList(c, 1, out, env, [&](const SetItem& item, std::string_view text, std::string& problem) {
        if (item.ipv6 != outer.ipv6) {
            problem = std::string(family(item.ipv6)) + ", and " + wholeText + " is " + family(outer.ipv6) +
                      "; a membership test has one family";
            return false;
        }
        const net::Span<W> s = spanOf<W>(item);
        const bool inside = s.first >= whole.first && s.last <= whole.last;
        const bool overlaps = s.first <= whole.last && s.last >= whole.first;
        anyOutside = anyOutside || !inside;
        ++answered;
        TextSink& o = out.buffer();
        if (c.json) {
            parts::JsonObject j(o);
            j.text("input"sv, text);
            j.flag("inside"sv, inside);
            j.flag("overlaps"sv, overlaps);
        } else if (inside) {
            o << text << " is inside " << wholeText;
        } else if (overlaps) {
            o << text << " overlaps " << wholeText << " but is not inside it";
        } else {
            o << text << " is not inside " << wholeText;
        }
        o << '\n';
        out.flushIfFull();
        return true;
    });
    // A yes-or-no verb: 0 and 1 are its answers, so every failure is 2.
    out.flush();
    if (out.failed())
        return out.failureStatus() == kExitBrokenPipe ? kExitBrokenPipe : kExitBadInput;
    if (status != kExitOk)
        return kExitBadInput;
    if (answered == 0) {
        out.problem("no address or network to test on standard input");
        return kExitBadInput;
    }
    return anyOutside ? 1 : kExitOk;
}

} // namespace

int RunExclude(const Command& c, Output& out, const Environment& env)
{
    const auto outer = readOuter(c.operands.front(), out);
    if (!outer)
        return kExitBadInput;
    return outer->ipv6 ? exclude<128>(c, *outer, out, env) : exclude<32>(c, *outer, out, env);
}

int RunContains(const Command& c, Output& out, const Environment& env)
{
    const auto outer = readOuter(c.operands.front(), out);
    if (!outer)
        return kExitBadInput;
    return outer->ipv6 ? contains<128>(c, *outer, out, env) : contains<32>(c, *outer, out, env);
}

} // namespace cli
