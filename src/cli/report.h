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
// Whether the binary digits are coloured: --color=always, or by default on a
// terminal unless NO_COLOR is set or the terminal is dumb; never for JSON.
bool WantsColour(const Command& command, const Environment& env);

int RunReport(const Command& command, Output& out, const Environment& env);

} // namespace cli
