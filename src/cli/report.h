#pragma once
// --report: every field of the main window for addresses given on the command
// line or read from standard input, as text or JSON Lines. Runs without a
// display, without an application object and without the toolkit.

namespace cli {

class Output;
struct Environment;
struct Command;

// Reports each operand ("-": each line of standard input); a bad address is
// named and the others are still reported.
int RunReport(const Command& command, Output& out, const Environment& env);

} // namespace cli
