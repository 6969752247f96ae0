#pragma once
// The program's one orderly way out, as the application installs it, for the
// window routines below the application.
#include <QString>
#include <functional>
#include <optional>

using AppShutdownHandler = std::function<void(std::optional<int> unloadMode, const QString& commandLine, bool silent)>;

// Installs the way out and returns the previous one.
AppShutdownHandler setAppShutdownHandler(AppShutdownHandler handler);

// Shuts the application down; with none installed the process simply ends.
void RequestAppShutdown(std::optional<int> unloadMode, const QString& commandLine, bool silent);
