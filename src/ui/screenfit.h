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

// For a window placed in its first showEvent: created, not yet framed, so
// the window system would take the frame's place it was given as its
// client's and put the title bar above it (a placement saved from the frame
// would creep up by a title bar at every opening). Puts the frame there
// instead: at once by the frame of another window of the program (the
// window manager frames them alike), exactly once its own frame is known;
// then brings it inside its screen as keepOnScreenWhenFramed does.
void keepFramePlaceWhenFramed(QWidget* window);

// Centres a window over the window it is opened from (the active one); false
// when there is none, for the caller to place it otherwise.
bool centreOverOpener(QWidget* window);

} // namespace ui
