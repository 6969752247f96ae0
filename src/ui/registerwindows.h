#pragma once

namespace ui {

// Installs the real dialogs and registers every window the framework can
// load by name.
void registerWindows();

} // namespace ui
