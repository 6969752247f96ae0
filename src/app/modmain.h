#pragma once
// The start-up module: the application object, the entry procedure and the
// one orderly way out.
#include <QString>
#include <memory>
#include <optional>

class clsApp;

// The one application object: set by Main, released by AppShutdown.
extern std::unique_ptr<clsApp> gApp;

// Gives the lower layers what they need of the application: the error
// handler's hooks, the settings store, the model and the way out. Main does
// this first; tests that build the application themselves call it too.
void InstallAppServices();

void Main();
// On the normal path this does not return: the process ends.
void AppShutdown(std::optional<int> unloadMode = std::nullopt, const QString& commandLine = QString(),
                 bool silent = false);
