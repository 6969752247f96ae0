#pragma once
// --practice: a set of subnetting questions asked one at a time on standard
// output, each answer read as a line of standard input, checked, a wrong one
// explained with the report's binary rows, and the score at the end (or when
// the input ends). Writes nothing but standard output and error.

namespace cli {

class Output;
struct Environment;
struct Command;

int RunPractice(const Command& command, Output& out, const Environment& env);

} // namespace cli
