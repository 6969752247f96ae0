#include "cli/report.h"

#include "cli/addressinput.h"
#include "cli/grammar.h"
#include "cli/lines.h"
#include "cli/networkinput.h"
#include "cli/output.h"
#include "cli/reportwriter.h"
#include "model/subnetfacts.h"
#include "model/subnettexts.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace cli {

namespace {

class Reporter {
public:
    Reporter(Output& out, bool json, Colour colour, const Environment& env, std::optional<int> site)
        : out_(out), json_(json), colour_(colour), env_(env), site_(site)
    {
    }

    // line is the input's line number on standard input, 0 for an argument.
    void report(std::string_view text, long line)
    {
        if (IsIPv6Text(text)) {
            report6(text, line);
            return;
        }
        std::string problem;
        const auto input = ParseAddress(text, problem);
        if (!input) {
            refuse(line, Shown(Trimmed(text)) + ": " + problem);
            return;
        }
        const SubnetFacts facts = ComputeSubnetFacts(input->address, input->bits);
        if (!decimalPoint_)
            decimalPoint_ = env_.systemDecimalPoint ? env_.systemDecimalPoint() : env_.decimalPoint;
        FormTexts(facts, texts_, *decimalPoint_);
        if (json_) {
            AppendJson(out_.buffer(), facts, texts_);
        } else {
            if (reported_ > 0)
                out_.buffer() << '\n';
            AppendText(out_.buffer(), facts, texts_, colour_);
        }
        ++reported_;
        out_.flushIfFull();
    }

    // An IPv6 address, its prefix length (a bare address is /128) and zone.
    void report6(std::string_view text, long line)
    {
        std::string problem;
        const auto input = ParseNetwork6(text, problem);
        if (input && site_ && *site_ > input->network.length())
            problem = "--site " + std::to_string(*site_) + " is longer than its prefix length " +
                      std::to_string(input->network.length());
        if (!problem.empty()) {
            refuse(line, Shown(Trimmed(text)) + ": " + problem);
            return;
        }
        const Report6 r{input->network, input->zone, site_};
        if (json_) {
            AppendJson6(out_.buffer(), r);
        } else {
            if (reported_ > 0)
                out_.buffer() << '\n';
            AppendText6(out_.buffer(), r, colour_);
        }
        ++reported_;
        out_.flushIfFull();
    }

    void refuse(long line, const std::string& problem)
    {
        badInput_ = true;
        // What was reported before the bad line reaches the reader first.
        out_.flush();
        out_.problem(line > 0 ? "standard input line " + std::to_string(line) + ": " + problem : problem);
    }

    bool badInput() const { return badInput_; }

private:
    Output& out_;
    bool json_;
    Colour colour_;
    const Environment& env_;
    std::optional<std::string> decimalPoint_; // read when first needed
    std::optional<int> site_;
    SubnetTexts texts_;
    long reported_ = 0;
    bool badInput_ = false;
};

} // namespace

bool WantsColour(const Command& c, const Environment& env)
{
    return !c.json && (c.color == ColorWhen::Always ||
                       (c.color == ColorWhen::Auto && env.outIsTerminal && !env.noColor && !env.dumbTerminal));
}

int RunReport(const Command& c, Output& out, const Environment& env)
{
    Reporter reporter(out, c.json, WantsColour(c, env) ? Colour::On : Colour::Off, env, c.site);
    for (std::string_view input : c.operands) {
        if (out.failed())
            break;
        if (input != "-") {
            reporter.report(input, 0);
            continue;
        }
        const int error = ReadLines(
            env.in,
            [&](long line, std::string_view text, bool tooLong) {
                if (tooLong)
                    reporter.refuse(line, "the line is longer than " + std::to_string(kMaxLine) + " bytes");
                else
                    reporter.report(text, line);
            },
            [&] { return out.failed(); });
        if (error != 0) {
            out.flush();
            out.problem(std::string("cannot read standard input: ") + std::strerror(error));
            return out.finish(kExitFailure);
        }
    }
    return out.finish(reporter.badInput() ? kExitBadInput : kExitOk);
}

} // namespace cli
