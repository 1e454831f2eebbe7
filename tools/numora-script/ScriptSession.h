#pragma once
#include "app/MainForm.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"
#include "testsupport/FixedClock.h"
#include "testsupport/FixedTextMeasure.h"
#include "testsupport/RecordingDesktop.h"
#include "testsupport/RecordingPrinter.h"
#include "testsupport/ScriptedDialogs.h"

#include <QTemporaryDir>
#include "journal/SqlJournal.h"
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace numora::script {

// Everything one script runs against: the test doubles given as services and
// the forms built on them. Set-up commands fill the doubles; `start` builds
// the main form. Members are declared so that the forms go before the
// scheduler their timers are armed on.
struct ScriptSession
{
    ScriptSession();

    // A Data folder of its own, removed with the session.
    QTemporaryDir dir;
    DiskLayoutFolder layouts;
    ManualScheduler scheduler;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    FixedClock clock;
    RecordingPrinter printer;
    RecordingDesktop desktop;
    // The journal of runs, beside the Data folder, from `journal`: without
    // it a script runs as the forms do on their own, with nothing recorded.
    bool useJournal = false;
    std::unique_ptr<SqlJournal> journal;
    QString journalPath() const { return dir.path() + QStringLiteral("/journal.sqlite"); }
    // A damaged journal file, or a folder in the journal's place.
    bool spoilJournal(bool damaged);
    // From `measure W H`; the screen's font metrics otherwise.
    std::optional<std::pair<double, double>> fixedMeasure;
    // From `fonts`; the display's font families otherwise.
    std::optional<QStringList> fonts;
    std::unique_ptr<TextMeasure> measure;

    std::unique_ptr<MainForm> main;

    // Dialogs already counted by expect-asked, and the lines that queued the
    // answers still waiting (oldest first).
    int askedCounted = 0;
    std::vector<int> answerLines;

    bool started() const { return main != nullptr; }
    // Builds Start1 with the doubles and runs its start-up. Throws nothing;
    // returns an error text when the services cannot be made.
    QString start();

    void store(const QString &key, const QString &value) { settings.saveSetting(app(), section(), key, value); }
    void unstore(const QString &key) { settings.remove(app(), section(), key); }
    // The program's own configuration, outside the session.
    void configure(const QString &section, const QString &key, const QString &value);
    std::optional<QString> stored(const QString &key)
    {
        if (!settings.contains(app(), section(), key))
            return std::nullopt;
        return settings.getSetting(app(), section(), key);
    }

    // Layout files in the Data folder, in the program's encoding. A name
    // that is not a plain file name is refused (an error text is returned).
    QString writeFile(const QString &name, const QString &text);
    std::optional<QString> readFile(const QString &name, QString *problem) const;

private:
    static QString app() { return MainForm::appName(); }
    static QString section() { return MainForm::sectionName(); }
};

// A window a script can name. `find` gives the form while it exists (a
// window that is loaded later gives nothing until then); `close` is the
// operator closing it. A window the program does not have yet has neither.
struct FormEntry
{
    QString name;
    std::function<Form *(ScriptSession &)> find;
    std::function<void(ScriptSession &, Form &)> close;
};

// The windows scripts can reach. Adding a window to the program means
// filling in its entry here.
const std::vector<FormEntry> &formEntries();
const FormEntry *findFormEntry(const QString &name);

} // namespace numora::script
