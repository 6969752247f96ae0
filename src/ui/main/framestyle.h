#pragma once
// The main window's two frames, drawn as the Fusion style draws a group box
// but without the image-format plugins. Fusion reads its frame image letting
// the toolkit guess the format, which loads every image plugin installed (the
// gif, ico and jpeg readers and libjpeg) before the window's first paint:
// about 1.3 ms of the window's start. The same image, read as the PNG it is,
// gives the same pixels.
class QGroupBox;

namespace framestyle {

// Gives the frame the style above when the application draws with Fusion;
// under any other style the frame keeps the application's.
void apply(QGroupBox* frame);

} // namespace framestyle
