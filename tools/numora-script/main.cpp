// numora-script: runs form scripts against the headless windows.
#include "ScriptRunner.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Real font metrics need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        std::fputs("usage: numora-script FILE...\n", stderr);
        return 1;
    }
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    numora::script::ScriptRunner runner([&out](const QString &line) { out << line << Qt::endl; });
    for (const QString &file : files)
        runner.runFile(file);
    out << runner.summary() << Qt::endl;
    return runner.allHeld() ? 0 : 1;
}
