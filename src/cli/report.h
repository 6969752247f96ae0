#pragma once
// The terminal report: every field of the main window for addresses given on
// the command line or read from standard input, as text or JSON Lines. Runs
// without a display and without an application object.
#include <QStringList>

#include <iosfwd>

namespace cli {

// What the report needs from its surroundings; tests pass string streams.
struct ReportEnvironment {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;
    bool noColor = false;      // NO_COLOR is set
    bool dumbTerminal = false; // TERM=dumb
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitInternal = 1;
constexpr int kExitBadInput = 2;

// True when the command line (without the program name) asks for the report
// rather than the window: it starts with one of the report's options, "-", or
// an address.
bool IsReportCommandLine(const QStringList& args);
bool IsReportCommandLine(int argc, char** argv);

int RunReport(const QStringList& args, ReportEnvironment& env);

// The process's own streams and environment.
int ReportMain(int argc, char** argv);

} // namespace cli
