#include "ui/MainWindow.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    // Without a display Qt would print a plugin error dump and abort; say it
    // plainly instead. These variables belong to the windowing system, not
    // to the program: Numora itself reads no option from the environment.
    const bool offscreen = qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen");
    if (!offscreen && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("numora: no display available (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numbering"));
    QApplication::setApplicationDisplayName(QStringLiteral("Numora"));
    return numora::runMainWindow(app);
}
