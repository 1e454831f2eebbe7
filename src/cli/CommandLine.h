#pragma once
#include "Commands.h"
#include "app/Services.h"
#include "program/SystemClock.h"
#include "journal/JournalSetup.h"
#include "platform/Dialogs.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

// What the commands share: the services they print with, the console's
// answers to the forms' questions, the output and the usage.
namespace numora::cli {

// One line of output; control characters show as '?'.
void say(FILE *to, const QString &line);
// Why what was said on standard output did not all reach it (a full disk,
// a closed pipe); empty when it did. Flushes it first.
QString outputProblem();

// A usage error of `command` ("numora print: ... (numora --help shows the
// usage)"); returns the status of usage errors, 2.
int usageError(const QString &command, const QString &why);

// The forms' questions on a terminal: messages go to standard error, and
// every question gets its most cautious answer.
class ConsoleDialogs : public Dialogs
{
public:
    QStringList messages;

    QString input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<qint32> chooseColour(qint32) override { return std::nullopt; }
    bool printerSetup(Printer &) override { return false; }
    // No command prints a preview; there would be nothing to show it on.
    void printPreview(const QString &, const QStringList &, Printer &, const std::function<void(Printer &)> &) override
    {}

protected:
    Answer ask(const QString &text, const QString &, Buttons buttons, Answer) override;
};

QString dataFolder();
// The journal the window keeps, beside the Data folder.
QString journalPath();

// The journal --journal names, else the program's settings, else the file
// beside the Data folder; a warning about it goes to stderr.
JournalSetup chooseJournal(const QString &url);

// The services a command prints with, made once: the real measure, printer,
// clock and fonts; settings in memory, as a command leaves the window's last
// session alone; timers run by hand. The journal is chosen when the command
// has read its arguments (chooseJournal).
struct CommandServices
{
    CommandServices();

    // The journal as chooseJournal finds it; nothing else may overwrite
    // its files.
    void useJournal(const QString &url);
    Services services();

    ManualScheduler scheduler;
    QtTextMeasure measure;
    ConsoleDialogs dialogs;
    MemorySettingsStore settings;
    SystemClock clock;
    DiskLayoutFolder layouts;
    QtPrinter printer;
    JournalSetup journal;
};

// A journal that is a file on this machine and not there yet has no runs.
bool noJournalYet(const JournalSetup &s);

// Chooses the printer or PDF file the options name; an error text when it
// cannot (usage errors, exit status 2).
QString choosePrinter(QtPrinter &printer, const QString &name, const QString &pdf);

// Parses a command's arguments (`--opt value` or `--opt=value`); an error
// text when they are not right. An option given twice is refused: its
// second value would silently win over the first. `unknown` names what an
// unknown option is called in the message ("unknown option").
QString parseArguments(QCommandLineParser &parser, const QStringList &args, const QString &unknown);

} // namespace numora::cli
