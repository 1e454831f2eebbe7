#include "FitToScreen.h"
#include "ui/MainWindow.h"
#include "ui/ViewSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <unistd.h>

namespace numora {

namespace {
// Set on the restart: its scale fits already, and a screen that still
// reports too little room must not restart the program for ever.
constexpr char FittedVariable[] = "NUMORA_FITTED_SCALE";
} // namespace

void restartToFitScreen(char *argv[])
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || qEnvironmentVariableIsSet(FittedVariable))
        return;
    const QRect room = screen->availableGeometry();
    const double perTwip = screen->logicalDotsPerInchX() / ui::TwipsPerInch;
    const double width = ui::MainWindow::DesignWidth * perTwip;
    const double height = ui::MainWindow::DesignHeight * perTwip;
    const double shrink = std::min(room.width() / width, room.height() / height);
    if (room.isEmpty() || shrink >= 1)
        return;
    bool given = false;
    double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
    if (!given || scale <= 0)
        scale = 1;
    // Rounded down, so that rounding never makes it a pixel too large.
    const double fitted = std::floor(scale * shrink * 100) / 100;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(fitted, 'f', 2));
    qputenv(FittedVariable, "1");
    execv("/proc/self/exe", argv);
}

} // namespace numora
