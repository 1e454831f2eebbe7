#pragma once
#include "Services.h"
#include "layout/LayoutDocument.h"
#include "ResetCommands.h"
#include "SlotEditors.h"
#include "numbertext/NumberSample.h"
#include "numbertext/NumberStyle.h"
#include "preview/MousePlacement.h"
#include "preview/Orientation.h"
#include "platform/Form.h"
#include "printing/PrintForm.h"
#include "printing/PrintGenerator.h"
#include "printing/PrintOrderSelector.h"
#include "preview/PagePreview.h"
#include "layoutfiles/LayoutFile.h"
#include "journal/JournalForm.h"
#include "journal/RunRecorder.h"
#include "WindowChrome.h"
#include "ExitCommand.h"

#include <memory>

namespace numora {

class AboutForm;
class BrowserForm;
class LayoutFolder;
class SaveCommand;
class LayoutUndo;

// The main window Start1: owns the open layout and wires every control
// event to its handler.
class MainForm : public FormWithState<MainForm>
{
public:
    explicit MainForm(Services services);
    ~MainForm() override;

    // Start-up: fills the lists and restores the last run from the settings
    // store, writing every field through its editor.
    void startUp();

    LayoutDocument doc;
    PagePreview preview;
    NumberSample sample;
    SlotEditors slotEditors;
    NumberStyle style;
    Orientation orientation;
    MousePlacement placement;

    ResetCommands reset;
    TextBox pageCountMirror{QStringLiteral("No1")};        // the print dialog's page count
    TextBox forbiddenNameMessage{QStringLiteral("Text1")}; // message for a name that cannot be a file name
    Label openButton{QStringLiteral("Command2"), QStringLiteral("Open")};
    Label saveButton{QStringLiteral("Command3"), QStringLiteral("Save")};
    Timer settleTimer; // Timer1: clears modified once

    Label printButton{QStringLiteral("Label50"), QStringLiteral("Print")};
    Timer printReopenTimer; // Tim3: reopens the print dialog right after start-up
    PrintGenerator printGenerator;
    RunRecorder recorder; // the journal of runs
    PrintForm printForm;  // the print dialog Prnt1
    PrintOrderSelector printOrder;
    WindowChrome chrome; // title strip, hotspots, About label, button frames

    static const PropertyTable<MainForm> &stateProperties();

    Services &services() { return m_services; }
    LayoutFolder &layoutFolder() { return m_services.layouts; }
    LayoutFileIO &layoutFiles() { return m_layoutFiles; }
    // Undo and redo of the operator's layout edits (Ctrl+Z, Ctrl+Shift+Z).
    LayoutUndo &undo() { return *m_undo; }
    // The layout browser, created the first time it is needed.
    BrowserForm &browser();
    bool browserCreated() const { return m_browser != nullptr; }
    // Raised once, right after the browser is created, so that a view can
    // bind to it whichever command creates it.
    Event<> onBrowserCreated;
    // Shows the browser docked at the main window's right edge.
    void openBrowser();
    // The forms of the program by name; Save1 is created on first use.
    Form *form(const QString &name);
    // The operator ends the program: true when it may end now (the layout
    // and the session are written); false when it goes on.
    bool exitProgram();
    bool ended() const { return m_ended; }
    // The exit hotspot and the operator closing the window: the exit, and
    // the window hidden once the program may end.
    void requestExit();
    // The About window, while it is open.
    AboutForm *aboutForm() const { return m_about.get(); }
    // Loads and shows the About window.
    void openAbout();
    // Unloads the About window and shows the main window again.
    void closeAbout();
    // Raised after the About window is loaded and before it is unloaded,
    // so that a view can make and drop its window.
    Event<> onAboutOpened;
    Event<> onAboutClosing;
    // The journal window Jrnl1, created the first time it opens; it stays
    // loaded (hidden) when closed.
    JournalForm *journalForm() const { return m_journal.get(); }
    void openJournal();
    // The code editor's OK: a different code is a change to the layout.
    void setCode(const CodeSettings &code);
    Label journalButton{QStringLiteral("Jour1"), QStringLiteral("Journal")};
    Event<> onJournalCreated;
    // Where the settings store keeps this program's entries.
    static QString appName();
    static QString sectionName();

private:
    void wire();
    void registerAll();
    // After a run that printed, the rest of a run printed from the journal,
    // or a run cut short after the print system took pages: numbering moved
    // on is no step to undo, and goes into the open layout's file.
    void runEnded(bool numberingMoved);
    void writeNumberingToFile();

    Services m_services;
    LayoutFileIO m_layoutFiles;
    std::unique_ptr<BrowserForm> m_browser;
    std::unique_ptr<AboutForm> m_about;
    std::unique_ptr<JournalForm> m_journal;
    std::unique_ptr<SaveCommand> m_save;
    std::unique_ptr<LayoutUndo> m_undo;
    ExitCommand::SessionAtStart m_sessionAtStart;
    bool m_ended = false;
};

} // namespace numora
