#pragma once
// The start-up module: the two process-wide objects, the entry procedure and
// the one orderly way out.
#include <QString>
#include <memory>
#include <optional>

class clsErrHandler;
class clsApp;

namespace detail {
extern clsErrHandler* errHandler;
clsErrHandler& createErrHandler();
// What answering No to the unexpected-error box does besides ending the
// process: set where the application object is linked in.
extern void (*shutdownAfterUnexpectedError)();
} // namespace detail

// The one error handler, created on first use with the class defaults. Every
// procedure asks for it on entry and exit, so the lookup stays inline.
inline clsErrHandler& gErrHandler()
{
    return detail::errHandler ? *detail::errHandler : detail::createErrHandler();
}
// Replaces the error handler by a fresh one (Main's first step; tests).
clsErrHandler& gErrHandlerRenew();

// The one application object: set by Main, released by AppShutdown.
extern std::unique_ptr<clsApp> gApp;

void Main();
// On the normal path this does not return: the process ends.
void AppShutdown(std::optional<int> unloadMode = std::nullopt, const QString& commandLine = QString(),
                 bool silent = false);
void ShowUnexpectedError();
