#pragma once
// --plan: subnets planned by host counts (variable-length masks). The result
// depends on every request, so a bad request leaves no result at all.
#include "model/planner.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

class Output;
struct Environment;
struct Command;

// Longest name a request may have.
constexpr size_t kMaxRequestName = 32;

// A request as given: "HOSTS" or "NAME=HOSTS", HOSTS from 1 to the most any
// IPv4 network holds (with or without RFC 3021's /31 and /32), NAME letters,
// digits, ".", "-" and "_". Nothing, with `problem` set, otherwise.
std::optional<net::PlanRequest> ParsePlanRequest(std::string_view text, bool rfc3021, std::string& problem);

int RunPlan(const Command& command, Output& out, const Environment& env);

} // namespace cli
