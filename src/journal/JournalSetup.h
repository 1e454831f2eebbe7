#pragma once
#include "SqlJournal.h"

#include <memory>

namespace numora {

class SettingsStore;

// The journal a workstation keeps, as the program's own settings say
// (application "Numora", section [Journal]: `url`, `workstation`), or the
// command line's --journal URL. No URL: the SQLite file on this machine.
struct JournalSetup
{
    std::unique_ptr<SqlJournal> journal; // where runs are claimed and recorded
    // This machine's own file when `journal` is shared: a run printed while
    // the shared database cannot be reached is recorded there.
    std::unique_ptr<SqlJournal> local;
    QString workstation; // the name runs are recorded under
    // Set when the settings file holds the journal's password and other
    // users can read it: to be said once, when the program starts.
    QString warning;

    // The journal files on this machine: nothing else the program writes
    // may replace them.
    QStringList localFiles() const;

    static QString settingsApp() { return QStringLiteral("Numora"); }
    static QString settingsSection() { return QStringLiteral("Journal"); }
};

JournalSetup setUpJournal(SettingsStore &settings, const QString &urlGiven, const QString &localPath);

} // namespace numora
