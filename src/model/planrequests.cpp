#include "model/planrequests.h"

#include "model/decimal.h"
#include "model/network.h"
#include "model/shown.h"

#include <algorithm>
#include <charconv>

namespace planrequests {

namespace {

bool nameChar(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '.' ||
           ch == '-' || ch == '_';
}

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

} // namespace

std::uint64_t MaxHosts(bool rfc3021)
{
    return net::Network4(0, 0).hosts(rfc3021);
}

std::optional<net::PlanRequest> Reader::read(std::string_view text, std::string& problem)
{
    net::PlanRequest request;
    const size_t eq = text.find('=');
    std::string_view hosts = text;
    if (eq != std::string_view::npos) {
        const std::string_view name = text.substr(0, eq);
        hosts = text.substr(eq + 1);
        if (name.empty()) {
            problem = "the name before \"=\" is empty";
            return std::nullopt;
        }
        if (name.size() > kMaxName || !std::all_of(name.begin(), name.end(), nameChar)) {
            problem = "name " + Shown(name) + " is not 1 to " + std::to_string(kMaxName) +
                      " letters, digits, \".\", \"-\" or \"_\"";
            return std::nullopt;
        }
        request.name = std::string(name);
    }
    if (hosts.empty()) {
        problem = "the host count is empty";
        return std::nullopt;
    }
    problem = decimal::Fault("host count", hosts);
    if (!problem.empty())
        return std::nullopt;
    const std::uint64_t most = MaxHosts(rfc3021_);
    const auto [end, ec] = std::from_chars(hosts.data(), hosts.data() + hosts.size(), request.hosts);
    if (ec != std::errc() || end != hosts.data() + hosts.size() || request.hosts > most) {
        problem = "asks for more hosts than an IPv4 network holds (" + std::to_string(most) + ")";
        return std::nullopt;
    }
    if (request.hosts == 0) {
        problem = "asks for 0 hosts; a subnet is for at least 1";
        return std::nullopt;
    }
    if (!request.name.empty() && !names_.insert(request.name).second) {
        problem = "name " + Shown(request.name) + " is given twice";
        return std::nullopt;
    }
    return request;
}

std::optional<std::vector<net::PlanRequest>> ParseLine(std::string_view line, bool rfc3021, std::string& problem)
{
    Reader reader(rfc3021);
    std::vector<net::PlanRequest> requests;
    size_t i = 0;
    while (i < line.size()) {
        if (isSeparator(line[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < line.size() && !isSeparator(line[end]))
            ++end;
        const std::string_view text = line.substr(i, end - i);
        std::optional<net::PlanRequest> r = reader.read(text, problem);
        if (!r) {
            problem = "request " + Shown(text) + ": " + problem;
            return std::nullopt;
        }
        requests.push_back(std::move(*r));
        i = end;
    }
    if (requests.empty()) {
        problem = "no host counts to plan";
        return std::nullopt;
    }
    return requests;
}

} // namespace planrequests
