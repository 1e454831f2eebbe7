#include "cli/PrintCommand.h"
#include "platform/qt/QtPrinter.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        QApplication::setApplicationName(QStringLiteral("Numbering"));
        std::fputs(numora::cli::usage().toLocal8Bit().constData(), stdout);
        std::fputc('\n', stdout);
        return EXIT_SUCCESS;
    }
    const bool printCommand = command == QLatin1String("print");
    if (!command.isEmpty() && !printCommand) {
        std::fprintf(stderr, "numora: unknown command %s (numora --help shows the usage)\n", argv[1]);
        return 2;
    }
    numora::tunePrintAllocator();
    // The print command needs no display; the window does. These variables
    // belong to the windowing system, not to the program.
    if (printCommand)
        numora::cli::keepOutputOwn();
    if (printCommand && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool offscreen = qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen");
    if (!offscreen && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("numora: no display available (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numbering"));
    QApplication::setApplicationDisplayName(QStringLiteral("Numora"));
    if (printCommand)
        return numora::cli::runPrintCommand(QApplication::arguments().mid(2));
    return numora::runMainWindow(app);
}
