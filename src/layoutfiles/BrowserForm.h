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
class BrowserForm : public FormWithState<BrowserForm>
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

    ComboBox typeFilter{QStringLiteral("Combo3"), ComboBox::PickList};
    ListBox fileList{QStringLiteral("File1")};
    TextBox searchText{QStringLiteral("Text1")};
    Label fineCaption{QStringLiteral("Label2"), QStringLiteral("Fine")};
    Label fileNameCaption{QStringLiteral("Lab1"), QStringLiteral("No File Name")};
    Label startNumberCaption{QStringLiteral("Label3"), QStringLiteral("No.:")};
    Label standingIcon{QStringLiteral("Im1")}; // the layout's orientation
    Label lyingIcon{QStringLiteral("Im2")};
    Label openButton{QStringLiteral("Command2"), QStringLiteral("Open")};
    Label deleteButton{QStringLiteral("Command3"), QStringLiteral("Delete")};
    Label closeButton{QStringLiteral("Command1"), QStringLiteral("Close")};
    Label rememberedPath{QStringLiteral("Label1")};
    Timer reloadTimer; // Timer1: reload for "Rest"

    static QString patternFor(int filterPosition);
    // The filter position that lists a grid type's files ("2x2" → 2 X 2), or -1.
    static int filterPositionFor(const QString &typeTag);
    const QString &pattern() const { return m_pattern; }
    // Lists the Data folder again with the current pattern.
    void refreshFiles();
    QString selectedFile() const { return fileList.item(fileList.listIndex()); }

    void filterChosen();
    void preview();
    void openClicked();
    // Opens the layout file at path, anywhere, as Open opens a listed one
    // (its question first); a file that is not a layout is refused.
    void openFile(const QString &path);
    void loadRequested();
    void deleteClicked();
    void closeClicked();
    void search();
    void reload();

    static const PropertyTable<BrowserForm> &stateProperties();

private:
    void openSelected(const QString &question);
    void openPath(const QString &path, const QString &question);
    Deps m_deps;
    QString m_pattern;
};

} // namespace numora
