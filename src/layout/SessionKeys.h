#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace numora {

class SettingsStore;
class LayoutDocument;
struct CodeSettings;

// The keys of the settings store (application "Numbering", section
// "Settings") and the rules that give a missing key its value.
namespace session {

QString appName();
QString sectionName();
QString fieldKey(int k);   // Number0 .. Number19
QString counterKey(int n); // Number0_<n>
QString topKey(int n);     // Number2_<n>
QString leftKey(int n);    // Number3_<n>
QString layoutFileKey();   // LayoutFile: the file the layout came from, if any
// The open layout's code, in its one-line form; written after the counters.
QString codeKey();
// The code the last session had; none when it had none or the key is unreadable.
CodeSettings readCode(SettingsStore &store);
// Every key of the layout's fields, in the order the exit writes them, then
// the keys only read.
QStringList allKeys();

// What start-up reads: the stored texts with the missing rules applied. A
// field that stays empty (std::nullopt) leaves its editor as it is.
struct StartValues
{
    QString fields[20];              // Number0..Number19 after the rules
    bool firstRun = false;           // Number13 missing
    QString counters[12];            // shortest decimal of the stored number
    std::optional<qint32> backColor; // Number17
    std::optional<qint32> foreColor; // Number18
    std::optional<int> moveByMouse;  // Number16, converted strictly
    std::optional<qint64> tops[12];  // Number2_<n>, hundredths of a centimetre
    std::optional<qint64> lefts[12]; // Number3_<n>
    QString layoutFile;              // empty: the layout lives in the session only
};
StartValues readStartValues(SettingsStore &store);

// The entries of the session that writeSession writes, as the store holds
// them now: what tells whether another program wrote its session meanwhile.
QStringList storedLayout(SettingsStore &store);
// Whether the stored session's numbering lives in a layout file (written
// after every run), so that a session written over it loses none.
bool storedLayoutInFile(SettingsStore &store);

// Writes the session as the exit does: Number0 "1", Number1 to Number18,
// then Number2_<n> and Number3_<n> slot by slot, then Number0_1 to _12, all
// as one batch: the start number of one run never lands beside the counters
// of another. False when the store could not write it; inside a batch the
// caller opened, the caller's end of the batch tells.
bool writeSession(SettingsStore &store, const LayoutDocument &doc);

// Check states and alignment: the numeric value, 0 for a text without one.
int checkState(const QString &text);

} // namespace session
} // namespace numora
