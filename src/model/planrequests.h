#pragma once
// Host-count requests as a user writes them: "[NAME=]HOSTS", several on a
// line separated by blanks or commas ("50 14 lab=10 2").
#include "model/planner.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace planrequests {

// Largest host count a request may ask for: more than any IPv4 network holds,
// and far from overflowing a count.
constexpr std::uint64_t kMaxHosts = std::uint64_t(1) << 40;

// One request, or nothing with `problem` set to one line naming it and why
// (not a number, 0 hosts, too many, an empty name).
std::optional<net::PlanRequest> ParseOne(std::string_view text, std::string* problem);

// Every request on the line; on the first bad one nothing with `problem` set.
// An empty line is a problem too: there is nothing to plan.
std::optional<std::vector<net::PlanRequest>> ParseLine(std::string_view line, std::string* problem);

} // namespace planrequests
