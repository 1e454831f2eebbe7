#pragma once

class QApplication;

namespace numora {

// Builds the real services and the main form, shows the main window and runs
// the event loop.
int runMainWindow(QApplication &app);

} // namespace numora
