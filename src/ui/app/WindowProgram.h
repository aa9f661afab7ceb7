#pragma once

namespace pexa {

// Runs pexa as a window: Qt's application object with the fonts read early,
// the program's set-up, the locale's number characters, the main window, and
// the event loop until the window closes. Returns the exit status.
int RunWindowProgram(int argc, char* argv[]);

} // namespace pexa
