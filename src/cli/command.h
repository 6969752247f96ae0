#pragma once
// The terminal program: its verbs, its help, and the run of one command line.
#include "cli/grammar.h"
#include "cli/output.h"

#include <string>
#include <vector>

namespace cli {

// The verb table; its first row is the verb of a command line without one.
const std::vector<Verb>& Verbs();

// Runs the arguments after the program name; the exit status.
int Run(const std::vector<std::string>& args, const Environment& env);

// The process's own descriptors and environment.
int Main(int argc, char** argv);

} // namespace cli
