#pragma once

#include <QStringList>
#include <functional>

namespace numora {

class BrowserForm;
class Dialogs;
class LayoutDocument;
class SaveCommand;
class SettingsStore;

// Ending the program: offers to save a changed layout, writes the layout
// file and the session, and then ends.
//
// Several programs may share one session (a layout opened from the file
// manager starts a second window). A layout from a file keeps its numbering
// in that file, written after every run, so a session naming the file loses
// nothing when it is written over. A session layout without a file keeps its
// numbering only in the session: a program that started before another
// wrote such a session keeps it rather than write back an older numbering.
class ExitCommand
{
public:
    // What start-up found: the stored session, and the open layout's file
    // and numbering.
    struct SessionAtStart
    {
        QStringList stored;
        QString filePath;
        QStringList numbering;
    };
    // The start number and the counters of the open layout.
    static QStringList numberingOf(const LayoutDocument &doc);

    struct Deps
    {
        Dialogs &dialogs;
        SettingsStore &settings;
        LayoutDocument &doc;
        SaveCommand &save;
        std::function<BrowserForm &()> browser; // created on first use
        const SessionAtStart &atStart;
    };
    explicit ExitCommand(Deps deps)
        : m_deps(std::move(deps))
    {}
    // True when the program may end now; false when the operator stayed
    // (Cancel, no name), the layout could not be written, or the session
    // could not be written and the operator chose to stay.
    bool run();

private:
    // False when the session another program wrote since start-up holds
    // numbering that writing this one's would lose.
    bool sessionIsOurs();

    Deps m_deps;
};

} // namespace numora
