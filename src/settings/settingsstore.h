#pragma once
// The application's settings store, as the application makes it known.
#include <functional>

class clsRegSettings;

// Installs where the store is found and returns the previous source.
std::function<clsRegSettings*()> setSettingsStoreSource(std::function<clsRegSettings*()> source);
// The store; nullptr while there is none (before the application object exists).
clsRegSettings* AppSettingsStore();
