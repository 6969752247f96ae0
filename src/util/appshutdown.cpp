#include "util/appshutdown.h"

#include "platform/process.h"

namespace {
AppShutdownHandler& installed()
{
    static AppShutdownHandler handler;
    return handler;
}
} // namespace

AppShutdownHandler setAppShutdownHandler(AppShutdownHandler handler)
{
    AppShutdownHandler previous = std::move(installed());
    installed() = std::move(handler);
    return previous;
}

void RequestAppShutdown(std::optional<int> unloadMode, const QString& commandLine, bool silent)
{
    if (!installed())
        platform::EndProcess(0);
    installed()(unloadMode, commandLine, silent);
}
