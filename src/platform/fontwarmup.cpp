#include "platform/fontwarmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace platform {

FontSystemWarmUp::FontSystemWarmUp()
{
    // The toolkit sets fontconfig up the same way on first use and finds it
    // done; a thread that cannot start leaves that to it.
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
}

FontSystemWarmUp::~FontSystemWarmUp()
{
    wait();
}

void FontSystemWarmUp::wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace platform
