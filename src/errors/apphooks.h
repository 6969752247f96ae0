#pragma once
// What the error handling needs of the running application: the application
// installs it at start. Without it (a terminal run) there are no windows to
// list and nobody to ask.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace errors {

struct OpenWindow {
    std::string name;
    std::string caption;
};

class AppHooks {
public:
    virtual ~AppHooks() = default;
    // The loaded windows, in the order they were loaded.
    virtual std::vector<OpenWindow> openWindows() const = 0;
    // The orderly way out once the user has declined to continue. It normally
    // ends the process; it may also return or fail.
    virtual void shutdown() = 0;
    // When the application object started; nothing before it has.
    virtual std::optional<std::chrono::system_clock::time_point> startTime() const = 0;
};

// Installs the hooks (nullptr for none) and returns the previous ones.
AppHooks* setAppHooks(AppHooks* hooks);
AppHooks* appHooks();

} // namespace errors
