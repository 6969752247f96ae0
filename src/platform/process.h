#pragma once
#include <functional>

namespace platform {

// Ends the process at once. Tests replace the ender so that "the program
// ends" can be observed without losing the test runner.
[[noreturn]] void EndProcess(int exitCode = 0);
using ProcessEnder = std::function<void(int)>;
ProcessEnder setProcessEnder(ProcessEnder ender);

// Thrown by the test ender: unwinds back to the test instead of exiting.
struct ProcessEnded {
    int exitCode;
};

} // namespace platform
