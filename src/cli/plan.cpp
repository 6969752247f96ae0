#include "cli/plan.h"

#include "cli/grammar.h"
#include "cli/lines.h"
#include "cli/networkinput.h"
#include "cli/output.h"
#include "model/dotted.h"
#include "model/planrequests.h"
#include "model/shown.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace cli {

namespace {

std::string blockText(const net::Network4& n)
{
    return dotted::ToString(n.network()) + '/' + std::to_string(n.length());
}

std::string count(std::uint64_t n)
{
    return std::to_string(n);
}

// Left-aligned columns two blanks apart, the last one not padded.
void writeTable(TextSink& out, const std::vector<std::vector<std::string>>& rows)
{
    std::vector<size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (size_t k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], row[k].size());
    for (const auto& row : rows) {
        for (size_t k = 0; k < row.size(); ++k) {
            out << row[k];
            if (k + 1 < row.size())
                out.spaces(widths[k] - row[k].size() + 2);
        }
        out << '\n';
    }
}

void jsonAddress(TextSink& out, std::string_view key, std::uint32_t address)
{
    char text[dotted::kMaxLength];
    out << ",\"" << key << "\":\"" << std::string_view(text, size_t(dotted::Format(address, text) - text)) << '"';
}

void jsonNumber(TextSink& out, std::string_view key, std::uint64_t n)
{
    out << ",\"" << key << "\":" << std::int64_t(n);
}

// A request as given, with where it came from for messages.
struct Given {
    std::string text;
    long line = 0; // its line on standard input, 0 for an argument
    bool tooLong = false; // a line too long to read, in its place
};

std::string where(const Given& g)
{
    return g.line > 0 ? "standard input line " + std::to_string(g.line) + ": " : std::string();
}

} // namespace

int RunPlan(const Command& c, Output& out, const Environment& env)
{
    const std::string_view operand = c.operands.front();
    if (IsIPv6Text(operand)) {
        out.problem(Shown(Trimmed(operand)) + " is IPv6; --plan plans IPv4 networks only");
        return kExitBadInput;
    }
    std::string problem;
    const auto within = ParseNetwork(operand, problem);
    if (!within) {
        out.problem(Shown(Trimmed(operand)) + ": " + problem);
        return kExitBadInput;
    }

    // Every request is read and every bad one named before anything is planned.
    std::vector<Given> given;
    for (size_t i = 1; i < c.operands.size(); ++i) {
        if (c.operands[i] != "-") {
            given.push_back({std::string(Trimmed(c.operands[i])), 0, false});
            continue;
        }
        const int error = ReadLines(
            env.in,
            [&](long line, std::string_view text, bool tooLong) {
                if (tooLong) {
                    given.push_back({std::string(), line, true});
                    return;
                }
                for (size_t at = 0; at < text.size();) {
                    const size_t from = text.find_first_not_of(" \t\r\f\v", at);
                    if (from == std::string_view::npos)
                        break;
                    const size_t to = std::min(text.find_first_of(" \t\r\f\v", from), text.size());
                    given.push_back({std::string(text.substr(from, to - from)), line, false});
                    at = to;
                }
            },
            [] { return false; });
        if (error != 0) {
            out.problem(std::string("cannot read standard input: ") + std::strerror(error));
            return kExitFailure;
        }
    }
    std::vector<net::PlanRequest> requests;
    planrequests::Reader reader(c.rfc3021);
    bool bad = false;
    for (const Given& g : given) {
        if (g.tooLong) {
            out.problem(where(g) + "the line is longer than " + std::to_string(kMaxLine) + " bytes");
            bad = true;
            continue;
        }
        const auto request = reader.read(g.text, problem);
        if (!request) {
            out.problem(where(g) + "request " + Shown(g.text) + ": " + problem);
            bad = true;
        } else {
            requests.push_back(*request);
        }
    }
    if (bad)
        return kExitBadInput;
    if (requests.empty()) {
        out.problem("no host counts given; --plan needs at least one, such as 10.0.0.0/24 50 14");
        return kExitBadInput;
    }

    const net::Plan<32> plan = net::PlanSubnets(*within, requests, c.rfc3021);
    if (!plan.fits) {
        // Name the request the largest-first placement stops at.
        std::vector<size_t> order(requests.size());
        std::vector<net::Network4::Count> sizes(requests.size());
        for (size_t i = 0; i < requests.size(); ++i) {
            order[i] = i;
            sizes[i] = net::Network4(0, net::BlockLengthFor<32>(requests[i].hosts, c.rfc3021)).size();
        }
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return sizes[a] > sizes[b]; });
        net::Network4::Count needed = 0;
        size_t stop = order.front();
        for (size_t i : order) {
            needed += sizes[i];
            if (needed - sizes[i] <= within->size() && needed > within->size())
                stop = i;
        }
        out.problem(where(given[stop]) + "request " + Shown(given[stop].text) + " does not fit: the requests need " +
                    count(needed) + " addresses and " + blockText(*within) + " has " + count(within->size()) + ", " +
                    count(plan.missing) + " missing");
        return kExitBadInput;
    }

    TextSink& o = out.buffer();
    if (c.json) {
        for (size_t i = 0; i < requests.size(); ++i) {
            const auto& a = plan.allocations[i];
            o << "{\"kind\":\"allocation\",\"name\":";
            if (requests[i].name.empty())
                o << "null";
            else
                o << '"' << requests[i].name << '"';
            jsonNumber(o, "hosts_requested", requests[i].hosts);
            jsonAddress(o, "network", a.block.network());
            jsonNumber(o, "mask_bits", std::uint64_t(a.block.length()));
            jsonAddress(o, "first_usable", a.block.firstHost(c.rfc3021));
            jsonAddress(o, "last_usable", a.block.lastHost(c.rfc3021));
            jsonAddress(o, "broadcast", a.block.broadcast());
            jsonNumber(o, "hosts_usable", a.hosts);
            jsonNumber(o, "hosts_spare", a.hosts - requests[i].hosts);
            o << "}\n";
        }
        for (const net::Network4& n : plan.unused) {
            o << "{\"kind\":\"unused\"";
            jsonAddress(o, "network", n.network());
            jsonNumber(o, "mask_bits", std::uint64_t(n.length()));
            jsonNumber(o, "addresses", n.size());
            o << "}\n";
        }
        return out.finish(kExitOk);
    }
    std::vector<std::vector<std::string>> rows = {
        {"Name", "Asked", "Network", "First usable", "Last usable", "Broadcast", "Usable", "Spare"}};
    for (size_t i = 0; i < requests.size(); ++i) {
        const auto& a = plan.allocations[i];
        rows.push_back({requests[i].name.empty() ? "-" : requests[i].name, count(requests[i].hosts),
                        blockText(a.block), dotted::ToString(a.block.firstHost(c.rfc3021)),
                        dotted::ToString(a.block.lastHost(c.rfc3021)), dotted::ToString(a.block.broadcast()),
                        count(a.hosts), count(a.hosts - requests[i].hosts)});
    }
    writeTable(o, rows);
    o << '\n';
    if (plan.unused.empty()) {
        o << "Unused: none\n";
    } else {
        rows = {{"Unused", "Addresses"}};
        for (const net::Network4& n : plan.unused)
            rows.push_back({blockText(n), count(n.size())});
        writeTable(o, rows);
    }
    return out.finish(kExitOk);
}

} // namespace cli
