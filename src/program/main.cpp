#include "cli/Commands.h"
#include "platform/Windows1256.h"
#include "platform/qt/QtPrinter.h"
#include "program/FitToScreen.h"
#include "program/RunMainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

// Whether the X server named by DISPLAY accepts a connection. Qt's xcb
// plugin aborts the process when it does not, so the program asks first.
// libxcb is opened at run time: it is there wherever the xcb plugin is, and
// where it is not, Qt picks another platform and reports for itself.
static bool xDisplayReachable(const QByteArray &display)
{
    void *xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!xcb)
        return true;
    using Connect = void *(*)(const char *, int *);
    using HasError = int (*)(void *);
    using Disconnect = void (*)(void *);
    const auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    bool reachable = true;
    if (connect && hasError && disconnect) {
        // xcb_connect never returns null: a failed connection is an error
        // object that still has to be released.
        void *c = connect(display.constData(), nullptr);
        reachable = hasError(c) == 0;
        disconnect(c);
    }
    dlclose(xcb);
    return reachable;
}

namespace {

// The commands that work without the window.
struct Command
{
    QLatin1String name;
    int (*run)(const QStringList &args);
};
constexpr Command commands[] = {{QLatin1String("print"), numora::cli::runPrintCommand},
                                {QLatin1String("journal"), numora::cli::runJournalCommand},
                                {QLatin1String("reprint"), numora::cli::runReprintCommand},
                                {QLatin1String("calibrate"), numora::cli::runCalibrateCommand}};

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Only what comes before the command is the program's: the rest is the
    // command's own.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringLiteral("version"));
    parser.addOptions({helpOption, versionOption});
    const bool understood = parser.parse(arguments);
    if (understood && parser.isSet(helpOption)) {
        QApplication::setApplicationName(QStringLiteral("Numbering"));
        std::fputs(numora::cli::usage().toLocal8Bit().constData(), stdout);
        std::fputc('\n', stdout);
        return numora::cli::outputChecked(EXIT_SUCCESS);
    }
    if (understood && parser.isSet(versionOption)) {
        std::printf("numora %s\n", NUMORA_VERSION);
        return numora::cli::outputChecked(EXIT_SUCCESS);
    }
    const QString command = parser.positionalArguments().value(0);
    const Command *printCommand = nullptr;
    for (const Command &c : commands)
        if (command == c.name)
            printCommand = &c;
    // Anything else given alone is a layout file to open in the window, as
    // the file manager passes it.
    QString layoutPath;
    if (understood && !printCommand && parser.positionalArguments().size() == 1 && QFileInfo(command).isFile())
        layoutPath = QFileInfo(command).absoluteFilePath();
    if (argc > 1 && (!understood || (!printCommand && layoutPath.isEmpty()))) {
        std::fprintf(stderr, "numora: unknown command %s (numora --help shows the usage)\n", argv[1]);
        return 2;
    }
    // Layout files are in the Arabic code page: without it in Qt every
    // layout would be read and written wrongly.
    if (const QString problem = numora::windows1256Problem(); !problem.isEmpty()) {
        std::fprintf(stderr, "numora: %s.\n", problem.toLocal8Bit().constData());
        return EXIT_FAILURE;
    }
    numora::tunePrintAllocator();
    // The print command needs no display; the window does. These variables
    // belong to the windowing system, not to the program.
    if (printCommand)
        numora::cli::showToolkitWarnings();
    if (printCommand && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool offscreen = qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen");
    if (!offscreen && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("numora: no display available (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return EXIT_FAILURE;
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform == "xcb") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY") && !xDisplayReachable(qgetenv("DISPLAY"))) {
        std::fprintf(stderr, "numora: the display %s cannot be reached; start it from a desktop session.\n",
                     qgetenv("DISPLAY").constData());
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numbering"));
    QApplication::setApplicationDisplayName(QStringLiteral("Numora"));
    QApplication::setApplicationVersion(QStringLiteral(NUMORA_VERSION));
    if (printCommand) {
        numora::cli::toolkitStarted();
        return numora::cli::outputChecked(printCommand->run(QApplication::arguments().mid(2)));
    }
    numora::restartToFitScreen(argv);
    return numora::runMainWindow(app, layoutPath);
}
