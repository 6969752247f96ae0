#include "cli/grammar.h"

#include "cli/networkinput.h"
#include "model/decimal.h"
#include "model/practice.h"
#include "model/shown.h"

#include <charconv>

namespace cli {

namespace {

enum class Takes { Nothing, Value, JoinedValue }; // JoinedValue: only as --name=VALUE

// An option: a row of this table and a function that applies its value.
struct OptionRow {
    std::string_view name;
    Option bit;
    Takes takes;
    bool (*apply)(Command& c, std::string_view value, bool hasValue, std::string& problem);
};

const OptionRow kOptions[] = {
    {"--json", kOptJson, Takes::Nothing,
     [](Command& c, std::string_view, bool, std::string&) { return c.json = true; }},
    {"--rfc3021", kOptRfc3021, Takes::Nothing,
     [](Command& c, std::string_view, bool, std::string&) { return c.rfc3021 = true; }},
    {"--color", kOptColor, Takes::JoinedValue,
     [](Command& c, std::string_view v, bool hasValue, std::string& problem) {
         if (!hasValue || v == "always")
             c.color = ColorWhen::Always;
         else if (v == "never")
             c.color = ColorWhen::Never;
         else if (v == "auto")
             c.color = ColorWhen::Auto;
         else
             problem = "--color takes auto, always or never, not " + Shown(v);
         return problem.empty();
     }},
    {"--mask", kOptMask, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string&) {
         // Read once the operands are known: an IPv6 network's go to 128.
         c.maskText = v;
         return true;
     }},
    {"--site", kOptSite, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         problem = decimal::Fault("--site:", v);
         int bits = 0;
         if (problem.empty() && (v.size() > 3 || std::from_chars(v.data(), v.data() + v.size(), bits).ec != std::errc() ||
                                 bits > 128))
             problem = "--site: " + Shown(v) + " is outside 0 to 128";
         if (problem.empty())
             c.site = bits;
         return problem.empty();
     }},
    {"--limit", kOptLimit, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         std::uint64_t n = 0;
         const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
         problem = decimal::Fault("--limit:", v);
         if (!problem.empty())
             return false;
         if (ec != std::errc() || end != v.data() + v.size())
             problem = "--limit: " + Shown(v) + " is too large";
         else
             c.limit = n;
         return problem.empty();
     }},
    {"--count", kOptCount, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         int n = 0;
         problem = decimal::Fault("--count:", v);
         if (problem.empty() && (v.size() > 4 || std::from_chars(v.data(), v.data() + v.size(), n).ec != std::errc() ||
                                 n < 1 || n > practice::kMaxCount))
             problem = "--count: " + Shown(v) + " is outside 1 to " + std::to_string(practice::kMaxCount);
         if (problem.empty())
             c.count = n;
         return problem.empty();
     }},
    {"--seed", kOptSeed, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         std::uint64_t n = 0;
         const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
         problem = decimal::Fault("--seed:", v);
         if (problem.empty() && (ec != std::errc() || end != v.data() + v.size()))
             problem = "--seed: " + Shown(v) + " is more than " + std::to_string(~std::uint64_t(0));
         if (problem.empty())
             c.seed = n;
         return problem.empty();
     }},
    {"--types", kOptTypes, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         c.types = practice::ParseKinds(v, problem);
         if (!c.types)
             problem = "--types: " + problem;
         return c.types.has_value();
     }},
    {"--classes", kOptClasses, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         c.classes = practice::ParseClasses(v, problem);
         if (!c.classes)
             problem = "--classes: " + problem;
         return c.classes.has_value();
     }},
    {"--masks", kOptMasks, Takes::Value,
     [](Command& c, std::string_view v, bool, std::string& problem) {
         c.masks = practice::ParseLengths(v, problem);
         if (!c.masks)
             problem = "--masks: " + problem;
         return c.masks.has_value();
     }},
    {"--subnet-zero", kOptSubnetZero, Takes::Nothing,
     [](Command& c, std::string_view, bool, std::string&) { return c.subnetZero = true; }},
};

} // namespace

Command ParseCommandLine(const std::vector<std::string>& args, const std::vector<Verb>& verbs)
{
    Command c;
    std::vector<const OptionRow*> given;
    const auto fail = [&](std::string error) {
        if (c.error.empty())
            c.error = std::move(error);
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            c.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            c.help = true;
        } else if (arg == "-V" || arg == "--version") {
            c.version = true;
        } else if (arg.compare(0, 2, "--") != 0) {
            fail("unknown option " + Shown(arg));
        } else {
            const size_t eq = arg.find('=');
            const std::string_view name = arg.substr(0, eq);
            const bool joined = eq != std::string_view::npos;
            std::string_view value = joined ? arg.substr(eq + 1) : std::string_view();
            const Verb* verb = nullptr;
            for (const Verb& v : verbs)
                if (v.name == name)
                    verb = &v;
            const OptionRow* option = nullptr;
            for (const OptionRow& o : kOptions)
                if (o.name == name)
                    option = &o;
            if (verb) {
                if (joined)
                    fail(std::string(name) + " takes no value");
                else if (c.verb && c.verb != verb)
                    fail(std::string(c.verb->name) + " and " + std::string(name) + " are two verbs; give one a run");
                c.verb = verb;
                continue;
            }
            if (!option) {
                fail("unknown option " + Shown(name));
                continue;
            }
            if (option->takes == Takes::Nothing && joined) {
                fail(std::string(name) + " takes no value");
                continue;
            }
            if (option->takes == Takes::Value && !joined) {
                if (i + 1 == args.size()) {
                    fail(std::string(name) + " needs a value");
                    continue;
                }
                value = args[++i];
            }
            if (option->takes == Takes::Value && value.empty()) {
                fail(std::string(name) + " needs a value");
                continue;
            }
            std::string problem;
            if (!option->apply(c, value, joined, problem))
                fail(problem);
            given.push_back(option);
        }
    }
    if (c.maskText) {
        c.maskDotted = c.maskText->find('.') != std::string_view::npos;
        const bool ipv6 = !c.maskDotted && !c.operands.empty() && IsIPv6Text(c.operands.front());
        std::string problem;
        c.mask = ParseMaskBits(*c.maskText, 0, ipv6 ? 128 : 32, problem);
        if (!c.mask)
            fail("--mask: " + problem);
    }
    if (!c.verb)
        c.verb = &verbs.front();
    if (!c.error.empty() || c.help || c.version)
        return c;
    const Verb& verb = *c.verb;
    for (const OptionRow* option : given)
        if (!(verb.options & option->bit)) {
            fail(std::string(option->name) + " is not an option of " + std::string(verb.name));
            return c;
        }
    const int count = int(c.operands.size());
    for (int i = 0; i < count; ++i)
        if (c.operands[size_t(i)] == "-" && (verb.listFrom < 0 || i < verb.listFrom)) {
            fail(verb.listFrom < 0 ? std::string(verb.name) + " reads nothing from standard input"
                                   : "\"-\" stands for " + std::string(verb.name) +
                                         "'s list, which comes after its first operand");
            return c;
        }
    if (count < verb.minOperands)
        fail(verb.missing);
    else if (verb.maxOperands >= 0 && count > verb.maxOperands)
        fail(std::string(verb.name) + " takes " + std::to_string(verb.maxOperands) + " operand" +
             (verb.maxOperands == 1 ? "" : "s") + "; " + Shown(c.operands[size_t(verb.maxOperands)]) +
             " is one too many");
    return c;
}

} // namespace cli
