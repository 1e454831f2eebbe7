#include "MainWindow.h"

#include <QApplication>

namespace numora {

int runMainWindow(QApplication &app)
{
    return app.exec();
}

} // namespace numora
