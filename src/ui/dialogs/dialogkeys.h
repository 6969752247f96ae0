#pragma once
// Enter and Escape for the framework's own dialogs, which are plain windows
// rather than toolkit dialogs.
class QKeyEvent;
class QPushButton;
class QWidget;

// Enter presses the button that has the focus, else the default button;
// Escape presses the cancel button. True when the key was used.
bool pressDialogKey(QWidget* window, QKeyEvent* event, QPushButton* defaultButton, QPushButton* cancelButton);
