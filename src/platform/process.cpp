#include "platform/process.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
ProcessEnder& ender()
{
    static ProcessEnder e;
    return e;
}
} // namespace

void EndProcess(int exitCode)
{
    if (ender())
        ender()(exitCode);
    std::fflush(nullptr);
    std::exit(exitCode);
}

ProcessEnder setProcessEnder(ProcessEnder e)
{
    ProcessEnder old = std::move(ender());
    ender() = std::move(e);
    return old;
}

} // namespace platform
