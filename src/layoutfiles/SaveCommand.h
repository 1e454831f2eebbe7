#pragma once
#include <QString>

namespace numora {

class MainForm;

// The Save command: asks, proposes a name, checks it, writes the layout file
// and opens the browser beside the main window.
class SaveCommand
{
public:
    explicit SaveCommand(MainForm &form) : m_form(form) {}
    void run();

    // The name prompt shared with the save at exit: the accepted name, or an
    // empty text when the operator gave up.
    QString askName();
    // The proposal when no layout is open: New<minutes>-<year>-<day>-<month>.
    QString proposedNewName() const;
    static bool isBlankName(const QString &name);
    static bool hasForbiddenCharacter(const QString &name);
    // "File: No FileName.2x2" and the like, from the status captions.
    static QString questionTitle(const QString &fileCaption, const QString &typeCaption);

private:
    MainForm &m_form;
};

} // namespace numora
