#pragma once
// The verbs on sets of networks: --aggregate (the fewest blocks covering a
// union), --summarize (the one block covering them all), --range (a range as
// blocks), --exclude (a network with others cut out) and --contains (whether
// each address or network lies inside one network).

namespace cli {

class Output;
struct Environment;
struct Command;

int RunAggregate(const Command& command, Output& out, const Environment& env);
int RunSummarize(const Command& command, Output& out, const Environment& env);
int RunRange(const Command& command, Output& out, const Environment& env);
int RunExclude(const Command& command, Output& out, const Environment& env);
int RunContains(const Command& command, Output& out, const Environment& env);

} // namespace cli
