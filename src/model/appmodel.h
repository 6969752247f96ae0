#pragma once
// The address model the windows read and write, as the application makes it known.
#include <functional>

class clsIPAddy;

// Installs where the model is found and returns the previous source.
std::function<clsIPAddy*()> setAppModelSource(std::function<clsIPAddy*()> source);
// The model; nullptr while there is none (before start-up, while shutting down).
clsIPAddy* AppModel();
