#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace numora {

class Scheduler;
class TextMeasure;
class Dialogs;
class SettingsStore;
class Clock;
class LayoutFolder;
class Printer;
class Desktop;
class Journal;
class PrintQueue;

// The platform services a form is given. Nothing reaches for a global.
struct Services
{
    Scheduler &scheduler;
    TextMeasure &measure;
    Dialogs &dialogs;
    SettingsStore &settings;
    Clock &clock;
    // The font family names the display offers.
    std::function<QStringList()> fontNames;
    // The Data folder of the layout files.
    LayoutFolder &layouts;
    // The printers of the system and the one the print job drives.
    Printer &printer;
    // The desktop the windows live on (URL handler, window dragging); none
    // where no window is shown, as for the print command.
    Desktop *desktop = nullptr;
    // The record of print runs; none where runs are not recorded.
    Journal *journal = nullptr;
    // This machine's own journal when `journal` is a shared one; runs
    // printed while the shared one cannot be reached are recorded there.
    Journal *localJournal = nullptr;
    // The name runs are recorded under; empty for the machine's name.
    QString workstation = {};
    // What became of the jobs a run was handed over in; none where nothing
    // asks (the print command).
    PrintQueue *printQueue = nullptr;
};

} // namespace numora
