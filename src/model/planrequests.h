#pragma once
// Host-count requests as a user writes them: "HOSTS" or "NAME=HOSTS". The
// command line takes them as arguments or lines of standard input, the subnet
// table's planner several on a line ("50 14 lab=10 2"); both read them here.
#include "model/planner.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace planrequests {

// Longest name a request may have.
constexpr size_t kMaxName = 32;

// The most hosts a request may ask for: what an IPv4 network holds.
std::uint64_t MaxHosts(bool rfc3021);

// Requests read one at a time, a name given twice refused: the plan names its
// blocks by them.
class Reader {
public:
    explicit Reader(bool rfc3021) : rfc3021_(rfc3021) {}

    // A request with HOSTS a decimal number without leading zeros from 1 to
    // MaxHosts(), NAME 1 to kMaxName letters, digits, ".", "-" and "_".
    // Nothing otherwise, with `problem` the reason (the text not repeated).
    std::optional<net::PlanRequest> read(std::string_view text, std::string& problem);

private:
    bool rfc3021_;
    std::set<std::string, std::less<>> names_;
};

// Every request on the line, separated by blanks or commas. On the first bad
// one nothing, with `problem` naming it and why; an empty line is a problem
// too: there is nothing to plan.
std::optional<std::vector<net::PlanRequest>> ParseLine(std::string_view line, bool rfc3021, std::string& problem);

} // namespace planrequests
