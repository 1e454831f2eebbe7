#pragma once
#include "LayoutFile.h"

#include <QString>
#include <functional>

namespace numora {

class BrowserForm;
class Clock;
class Dialogs;
class Label;
class LayoutDocument;
class LayoutFolder;
class TextEditing;

// The Save command: asks, proposes a name, checks it, writes the layout file
// and opens the browser beside the main window.
class SaveCommand
{
public:
    struct Deps
    {
        Dialogs &dialogs;
        Clock &clock;
        LayoutDocument &doc;
        LayoutFolder &folder;
        LayoutFileIO &files;
        const TextEditing &forbiddenNameMessage; // the main window's Text1
        const Label &orientationCaption;         // the main window's Label4
        std::function<BrowserForm &()> browser;  // created on first use
        std::function<void()> openBrowser;       // docked beside the main window
    };
    explicit SaveCommand(Deps deps)
        : m_deps(std::move(deps))
    {}
    void run();

    // The name prompt shared with the save at exit: the accepted name, or an
    // empty text when the operator gave up.
    QString askName();
    // Writes the open layout as NAME.<type> with the caller's writer, the one
    // path of Save and of the exit. A failure or characters the file cannot
    // hold are told to the operator; the path written is returned, or an
    // empty text when nothing was written.
    QString writeUnder(const QString &name, LayoutWriter writer);
    // The proposal when no layout is open: New<minutes>-<year>-<day>-<month>.
    QString proposedNewName() const;
    static bool isBlankName(const QString &name);
    static bool hasForbiddenCharacter(const QString &name);
    // "File: No FileName.2x2" and the like, from the status captions.
    static QString questionTitle(const QString &fileCaption, const QString &typeCaption);

private:
    void showSaved(const QString &fileName);
    Deps m_deps;
};

} // namespace numora
