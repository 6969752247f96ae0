#pragma once
class QWidget;

namespace ui {

// Moves a window the least distance that brings all of it, frame and title
// bar included, inside the available area of its nearest screen.
void keepOnScreen(QWidget* window);

// The window system frames a window only after it is shown; once the frame is
// known the window is brought inside its screen again, frame included. Later
// moves are the user's own.
void keepOnScreenWhenFramed(QWidget* window);

// Centres a window over the window it is opened from (the active one); false
// when there is none, for the caller to place it otherwise.
bool centreOverOpener(QWidget* window);

} // namespace ui
