#pragma once
#include <QString>

namespace platform {

// Starts a command line as a program of its own and does not wait for it.
// The text is split into program and arguments (double quotes group) and the
// program is started directly, never through a shell. A program that cannot
// be found raises 53 (file not found) or 76 (path not found: its folder is
// missing); one that exists but cannot be run raises 70; a blank command
// line raises 5.
void StartCommandLine(const QString& commandLine);

} // namespace platform
