#include "cli/practice.h"

#include "cli/grammar.h"
#include "cli/lines.h"
#include "cli/output.h"
#include "cli/report.h"
#include "cli/reportparts.h"
#include "model/dotted.h"
#include "model/practice.h"
#include "model/subnettexts.h"

#include <chrono>
#include <cstring>
#include <random>

namespace cli {

namespace {

// What ends typed input on the system's terminals.
#ifdef _WIN32
constexpr std::string_view kEndOfInputKeys = "Ctrl+Z, Enter";
#else
constexpr std::string_view kEndOfInputKeys = "Ctrl+D";
#endif

using namespace std::string_view_literals;

constexpr std::string_view kIndent = "      "sv;
constexpr size_t kCaptionWidth = 8; // "Yours:  "

// Words from the indent to the 80th column, lines after the first indented too.
void appendWrapped(TextSink& out, std::string_view text)
{
    const size_t room = parts::kLineWidth - kIndent.size();
    while (!text.empty()) {
        size_t cut = text.size();
        if (parts::columns(text) > room) {
            cut = text.rfind(' ', room);
            if (cut == std::string_view::npos || cut == 0)
                cut = std::min(text.find(' '), text.size());
        }
        out << kIndent << text.substr(0, cut) << '\n';
        text.remove_prefix(cut);
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
    }
}

// Which portion each of the 32 bits is in, as the report's letters.
std::string portionsOf(int networkBits, int subnetBits)
{
    std::string p(32, 'H');
    std::fill_n(p.begin(), networkBits, 'N');
    std::fill_n(p.begin() + networkBits, subnetBits, 'S');
    return p;
}

// The question's portions: the main window's for an address, the summary's
// common bits for a summary, the mask's ones otherwise.
std::string portionsOf(const practice::Question& q, const practice::Verdict& v)
{
    switch (q.kind) {
    case practice::Kind::MaskForLength:
    case practice::Kind::LengthForMask: return portionsOf(q.given.length(), 0);
    case practice::Kind::Summary: return portionsOf(v.commonBits, 0);
    default: {
        const SubnetFacts f = practice::FactsOf(q);
        return portionsOf(f.networkBits, f.subnetBits);
    }
    }
}

// The portion letters with dots where the binary text has them.
std::string dottedLetters(std::string_view portions)
{
    std::string s;
    for (size_t i = 0; i < portions.size(); ++i) {
        if (i > 0 && i % 8 == 0)
            s += '.';
        s += portions[i];
    }
    return s;
}

class Session {
public:
    Session(Output& out, Colour colour, std::vector<practice::Question> set)
        : out_(out), colour_(colour), set_(std::move(set)), started_(std::chrono::steady_clock::now())
    {
    }

    bool done() const { return next_ >= set_.size(); }

    void ask()
    {
        const practice::Question& q = set_[next_];
        TextSink& o = out_.buffer();
        o << '\n' << std::int64_t(next_ + 1) << '/' << std::int64_t(set_.size()) << "  "sv
          << practice::TitleOf(q.kind) << '\n';
        appendWrapped(o, practice::PromptText(q));
        appendWrapped(o, "(" + std::string(practice::AnswerHint(practice::FieldOf(q.kind))) + ")");
        prompt();
    }

    // One line of the learner's: an answer, or a reason to ask again.
    void answer(std::string_view text, bool tooLong)
    {
        if (done())
            return;
        const practice::Question& q = set_[next_];
        const practice::Field field = practice::FieldOf(q.kind);
        std::string problem;
        std::optional<practice::Answer> a;
        if (tooLong)
            problem = "the line is longer than " + std::to_string(kMaxLine) + " bytes";
        else
            a = practice::ParseAnswer(field, text, problem);
        if (a && field == practice::Field::Blocks && a->blocks.size() != q.hosts.size()) {
            problem = "give " + std::to_string(q.hosts.size()) + " blocks, one for each host count; that was " +
                      std::to_string(a->blocks.size());
            a.reset();
        }
        if (!a) {
            out_.buffer() << "Not an answer: "sv << problem << ". Try again.\n"sv;
            prompt();
            return;
        }
        const practice::Verdict v = practice::Check(q, *a);
        ++asked_;
        if (v.right) {
            ++right_;
            out_.buffer() << "Right.\n"sv;
        } else {
            explain(q, *a, v);
        }
        ++next_;
        if (done())
            score();
        else
            ask();
    }

    // The score; `ended` when the input ended before the set did.
    void score(bool ended = false)
    {
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started_).count();
        TextSink& o = out_.buffer();
        o << '\n';
        if (ended)
            o << "The input ended after "sv << std::int64_t(asked_) << " of "sv << std::int64_t(set_.size())
              << " questions.\n"sv;
        o << "Score: "sv << practice::ScoreText(right_, asked_, std::int64_t(seconds)) << '\n';
        out_.flush();
    }

private:
    void prompt()
    {
        out_.buffer() << "> "sv;
        out_.flush();
    }

    void binaryRow(std::string_view caption, std::uint32_t value, std::string_view portions, std::string_view after)
    {
        TextSink& o = out_.buffer();
        o << kIndent << caption;
        parts::pad(o, caption.size(), kCaptionWidth);
        parts::appendPortions(o, DottedBinary(value), portions, colour_, "."sv);
        o << "  "sv << after << '\n';
    }

    // A row of "^" under the bits that differ.
    void marks(std::uint32_t differing)
    {
        if (differing == 0)
            return;
        std::string row(35, ' ');
        for (int bit : practice::BitPositions(differing))
            row[size_t(bit - 1 + (bit - 1) / 8)] = '^';
        row.erase(row.find_last_not_of(' ') + 1);
        out_.buffer() << kIndent << std::string(kCaptionWidth, ' ') << row << '\n';
    }

    // The learner's value over the right one, the differing bits marked.
    void compare(std::uint32_t yours, std::string_view yoursText, std::uint32_t right, std::string_view rightText,
                 std::string_view portions, std::uint32_t differing)
    {
        binaryRow("Yours:"sv, yours, portions, yoursText);
        binaryRow("Right:"sv, right, portions, rightText);
        marks(differing);
    }

    void explain(const practice::Question& q, const practice::Answer& a, const practice::Verdict& v)
    {
        using practice::Kind;
        const practice::Field field = practice::FieldOf(q.kind);
        TextSink& o = out_.buffer();
        // A design's right one closes its explanation.
        if (field == practice::Field::Blocks)
            o << "Wrong.\n"sv;
        else
            o << "Wrong. The answer: "sv << practice::AnswerText(field, v.expected) << '\n';
        const std::string portions = portionsOf(q, v);
        const std::string dotted = dottedLetters(portions);
        switch (q.kind) {
        case Kind::NetworkAddress:
        case Kind::BroadcastAddress:
        case Kind::FirstHost:
        case Kind::LastHost:
        case Kind::MaskForLength:
            if (q.kind != Kind::MaskForLength)
                binaryRow("Given:"sv, q.given.address(), portions,
                          dotted::ToString(q.given.address()) + '/' + std::to_string(q.given.length()));
            if (!a.none && !v.expected.none)
                compare(a.address, practice::AnswerText(field, a), v.expected.address,
                        practice::AnswerText(field, v.expected), portions, v.differing);
            break;
        case Kind::LengthForMask:
            if (a.number >= 0 && a.number <= 32)
                compare(net::Network4::maskOf(int(a.number)), practice::AnswerText(field, a), q.given.mask(),
                        practice::AnswerText(field, v.expected), portions, v.differing);
            break;
        case Kind::WhichSubnet:
        case Kind::Summary:
            if (q.kind == Kind::Summary)
                for (const net::Network4& n : q.networks)
                    binaryRow("Given:"sv, n.network(), portions,
                              dotted::ToString(n.network()) + '/' + std::to_string(n.length()));
            else
                binaryRow("Host:"sv, q.given.address(), portions, dotted::ToString(q.given.address()));
            compare(a.network.address(), practice::AnswerText(field, a), v.expected.network.network(),
                    practice::AnswerText(field, v.expected), portions, v.differing);
            break;
        case Kind::SubnetCount:
        case Kind::HostCount:
            binaryRow("Mask:"sv, q.given.mask(), portions, "/" + std::to_string(q.given.length()));
            o << kIndent << std::string(kCaptionWidth, ' ');
            parts::appendPortions(o, dotted, portions, colour_, "."sv);
            o << "  N net, S subnet, H host\n"sv;
            break;
        case Kind::Vlsm: break;
        }
        for (const std::string& line : practice::Explanation(q, a, v))
            appendWrapped(o, line);
    }

    Output& out_;
    Colour colour_;
    std::vector<practice::Question> set_;
    std::chrono::steady_clock::time_point started_;
    size_t next_ = 0;
    int asked_ = 0;
    int right_ = 0;
};

// A seed short enough to read out to a class.
std::uint64_t randomSeed()
{
    std::random_device device;
    return (std::uint64_t(device()) << 32 | device()) % 1000000;
}

} // namespace

int RunPractice(const Command& c, Output& out, const Environment& env)
{
    practice::Options o;
    o.seed = c.seed ? *c.seed : randomSeed();
    o.count = c.count.value_or(o.count);
    o.kinds = c.types.value_or(o.kinds);
    o.classes = c.classes.value_or(o.classes);
    if (c.masks) {
        o.shortest = c.masks->first;
        o.longest = c.masks->second;
    }
    o.subnetZero = c.subnetZero;
    o.rfc3021 = c.rfc3021;
    if (const std::string fault = practice::OptionsFault(o); !fault.empty()) {
        out.problem(fault);
        return kExitBadInput;
    }
    Session session(out, WantsColour(c, env) ? Colour::On : Colour::Off, practice::DrawSet(o));
    out.buffer() << "Seed "sv << std::to_string(o.seed) << ": "sv << practice::CommandLine(o) << '\n'
                 << (o.subnetZero ? "Subnets are counted as 2^S (subnet zero and the all-ones subnet used).\n"sv
                                  : "Subnets are counted as 2^S - 2 (subnet zero and the all-ones subnet set aside).\n"sv)
                 << (o.rfc3021 ? "A /31 link has 2 usable hosts (RFC 3021 followed).\n"sv
                               : "A /31 has no usable hosts (RFC 3021 not followed).\n"sv)
                 << "Type each answer on one line; the end of input ("sv << kEndOfInputKeys << ") ends the set.\n"sv;
    session.ask();
    const int error = ReadLines(
        env.in, [&](long, std::string_view text, bool tooLong) { session.answer(text, tooLong); },
        [&] { return session.done() || out.failed(); }, true);
    if (error != 0) {
        out.flush();
        out.problem(std::string("cannot read standard input: ") + std::strerror(error));
        return out.finish(kExitFailure);
    }
    if (!session.done())
        session.score(true);
    return out.finish(kExitOk);
}

} // namespace cli
