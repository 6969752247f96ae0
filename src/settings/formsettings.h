#pragma once
// Window placement kept in section "Startup" of the settings store: one set
// of values per window, named after it (frmMain_WindowState, frmMain_Top,
// frmMain_Left, and for sizable windows frmMain_Width and frmMain_Height), in twips.
#include <optional>

namespace platform {
class Form;
}

// Hides the window (it stays hidden) and saves the placement of the restored
// window; after a write that fails (and is reported) nothing more is written.
// SaveSize omitted: width and height are saved for sizable windows only.
void utFormSettingsSave(platform::Form& form, std::optional<bool> saveSize = std::nullopt);

// Restores a saved placement (missing or unusable values keep the current
// one), brings a window that would lie off every screen back onto the nearest
// one, and never restores it minimized. Does nothing while no settings store is installed.
void utFormSettingsLoad(platform::Form& form);
