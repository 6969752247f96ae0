#pragma once
// --plan: subnets planned by host counts (variable-length masks). The result
// depends on every request, so a bad request leaves no result at all.

namespace cli {

class Output;
struct Environment;
struct Command;

int RunPlan(const Command& command, Output& out, const Environment& env);

} // namespace cli
