#pragma once
// Shared routines that close windows: the last visible window ends the
// program; at shutdown every window is unloaded, the main window saving its
// placement on the way. Also the collection of non-modal message boxes.
#include <QString>
#include <optional>

namespace platform {
class Form;
}

// Ends the program through the installed way out (with the same arguments) unless a
// window other than the debug window and the extra windows is still visible.
void utFormUnload(std::optional<int> unloadMode, const QString& commandLine, bool silent);

// Closes stacked dialogs from the top, then every window but the main one,
// then the main window, after calling its "SaveSettings" if it is still visible.
void utFormsUnloadAll();

// Registers a modeless message box under the key "FID" + number and returns
// that number.
int utNonModalBoxAdd(platform::Form* box);
// Unloads the modeless box registered under "FID" + number and forgets it;
// errors are ignored.
void utNonModalBoxUnload(int number);
// The number of registered modeless boxes.
int utNonModalBoxCount();
