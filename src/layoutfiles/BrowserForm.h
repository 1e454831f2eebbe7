#pragma once
#include "platform/Form.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"
#include "platform/controls/Timer.h"

namespace numora {

class Dialogs;
class LayoutDocument;
class LayoutFileIO;
class LayoutFolder;
class NumberSample;
class SettingsStore;

// The layout browser Save1: lists the layout files of the Data folder by
// grid type, previews the selected one, opens, loads, deletes and reloads.
class BrowserForm : public Form
{
public:
    struct Deps
    {
        Scheduler &scheduler;
        Dialogs &dialogs;
        SettingsStore &settings;
        LayoutFolder &folder;
        LayoutDocument &doc;
        NumberSample &sample;
        LayoutFileIO &files;
    };
    explicit BrowserForm(Deps deps);

    ComboBox Combo3{QStringLiteral("Combo3"), ComboBox::PickList};
    ListBox File1{QStringLiteral("File1")};
    TextBox Text1{QStringLiteral("Text1")};
    Label Label2{QStringLiteral("Label2"), QStringLiteral("Fine")};
    Label Lab1{QStringLiteral("Lab1"), QStringLiteral("No File Name")};
    Label Label3{QStringLiteral("Label3"), QStringLiteral("No.:")};
    Label Im1{QStringLiteral("Im1")};
    Label Im2{QStringLiteral("Im2")};
    Label Command2{QStringLiteral("Command2"), QStringLiteral("Open")};
    Label Command3{QStringLiteral("Command3"), QStringLiteral("Delete")};
    Label Command1{QStringLiteral("Command1"), QStringLiteral("Close")};
    Label Label1{QStringLiteral("Label1")}; // remembered path
    Timer Timer1;                           // reload for "Rest"

    static QString patternFor(int filterPosition);
    // The filter position that lists a grid type's files ("2x2" → 2 X 2), or -1.
    static int filterPositionFor(const QString &typeTag);
    const QString &pattern() const { return m_pattern; }
    // Lists the Data folder again with the current pattern.
    void refreshFiles();
    QString selectedFile() const { return File1.item(File1.listIndex()); }

    void filterChosen();
    void preview();
    void openClicked();
    void loadRequested();
    void deleteClicked();
    void closeClicked();
    void search();
    void reload();

    QVariant state(const QString &name) const override;
    QStringList stateNames() const override;

private:
    void openSelected(const QString &question);
    Deps m_deps;
    QString m_pattern;
};

} // namespace numora
