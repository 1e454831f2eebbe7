#pragma once

namespace numora {

// The main window has a fixed size. Where it would not fit the screen's
// free area (a small screen, a large scale factor), the program starts
// itself again with the scale factor that makes it fit, so that every
// window, font and picture shrinks alike. Returns only when no restart is
// needed or the restart failed.
void restartToFitScreen(char *argv[]);

} // namespace numora
