#pragma once
#include <thread>

namespace platform {

// Reads the font system's configuration and font list on a thread of its own
// while the toolkit connects to the display, work the window's first text
// would otherwise wait for. Finished, at the latest, by wait() or the end of
// the object's life.
class FontSystemWarmUp {
public:
    FontSystemWarmUp();
    ~FontSystemWarmUp();
    FontSystemWarmUp(const FontSystemWarmUp&) = delete;
    FontSystemWarmUp& operator=(const FontSystemWarmUp&) = delete;

    // Returns once the font system is set up (or could not be).
    void wait();

private:
    std::thread thread_;
};

} // namespace platform
