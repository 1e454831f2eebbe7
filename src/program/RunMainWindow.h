#pragma once

class QApplication;
class QString;

namespace numora {

// Builds the real services and the main form, shows the main window, opens
// the layout file at layoutPath (when not empty) as the browser's Open does,
// and runs the event loop.
int runMainWindow(QApplication &app, const QString &layoutPath);

} // namespace numora
