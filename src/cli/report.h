#pragma once
// The terminal report: every field of the main window for addresses given on
// the command line or read from standard input, as text or JSON Lines. Runs
// without a display, without an application object and without the toolkit.
#include <string>
#include <vector>

namespace cli {

// What the report needs from its surroundings: file descriptors (tests pass
// files of their own) and what the environment says about colour.
struct ReportEnvironment {
    int in = 0;
    int out = 1;
    int err = 2;
    bool outIsTerminal = false;
    bool noColor = false;      // NO_COLOR is set
    bool dumbTerminal = false; // TERM=dumb
    std::string decimalPoint = ".";
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // output or input failed, or an internal error
constexpr int kExitBadInput = 2;
constexpr int kExitBrokenPipe = 141; // the reader went away, as if by SIGPIPE

// Runs the report for the arguments after the program name.
int RunReport(const std::vector<std::string>& args, const ReportEnvironment& env);

// The process's own descriptors and environment.
int ReportMain(int argc, char** argv);

} // namespace cli
