#include "model/planrequests.h"

#include "model/shown.h"

namespace planrequests {

namespace {
bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
} // namespace

std::optional<net::PlanRequest> ParseOne(std::string_view text, std::string* problem)
{
    auto fail = [&](const char* why) -> std::optional<net::PlanRequest> {
        if (problem)
            *problem = Shown(text) + ": " + why;
        return std::nullopt;
    };
    net::PlanRequest request;
    std::string_view count = text;
    const size_t eq = text.find('=');
    if (eq != std::string_view::npos) {
        if (eq == 0)
            return fail("a name before \"=\" is missing");
        request.name.assign(text.substr(0, eq));
        count = text.substr(eq + 1);
    }
    if (count.empty())
        return fail("the host count is missing");
    std::uint64_t hosts = 0;
    for (char c : count) {
        if (c < '0' || c > '9')
            return fail("the host count is not a whole number");
        hosts = hosts * 10 + std::uint64_t(c - '0');
        if (hosts > kMaxHosts)
            return fail("more hosts than any network holds");
    }
    if (hosts == 0)
        return fail("a request must ask for at least 1 host");
    request.hosts = hosts;
    return request;
}

std::optional<std::vector<net::PlanRequest>> ParseLine(std::string_view line, std::string* problem)
{
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
        std::optional<net::PlanRequest> r = ParseOne(line.substr(i, end - i), problem);
        if (!r)
            return std::nullopt;
        requests.push_back(std::move(*r));
        i = end;
    }
    if (requests.empty()) {
        if (problem)
            *problem = "no host counts to plan";
        return std::nullopt;
    }
    return requests;
}

} // namespace planrequests
