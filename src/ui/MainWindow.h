#pragma once
#include "FormWindow.h"
#include "platform/controls/Control.h"

#include <QPointer>
#include <array>

namespace numora {

class Label;
class MainForm;

namespace ui {

class AboutWindow;
class BrowserWindow;
class FramedButton;
class JournalWindow;
class PagePreviewWidget;
class PrintWindow;

// The main window Start1 as widgets over the headless MainForm. Every
// widget shows one model control; the window itself holds nothing else.
// The program shows the window and the operator places it: the window takes
// its caption, enabled and minimised state from the form, and reports its
// place and size to the form without ever taking them from it. It has no
// system frame: the form's chrome draws the title bar and its hotspots.
// The form hides it while the About window is open.
class MainWindow : public FormWindow
{
public:
    // Design size of the window, in twips.
    static constexpr double DesignWidth = 13005;
    static constexpr double DesignHeight = 8505;

    explicit MainWindow(MainForm &form, QWidget *parent = nullptr);
    ~MainWindow() override;

    PagePreviewWidget *pagePreview() const { return m_preview; }
    // The picture of the chosen print order.
    QWidget *printOrderPicture() const { return m_orderPicture; }
    // The layout browser's window, made the first time its form is shown.
    BrowserWindow *browserWindow() const;
    // The print dialog's window, made the first time its form is shown.
    PrintWindow *printWindow() const;
    // The About window while it is open.
    AboutWindow *aboutWindow() const;
    // The journal's window, made when its form is first created.
    JournalWindow *journalWindow() const;

protected:
    QString untitledCaption() const override;
    // An open browser follows the window's new place.
    void geometryReported() override;
    // Closing the window is the exit: it may ask to save, and stays open
    // when the operator cancels or the layout cannot be written.
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    // The pointer over the window's own background goes to the form.
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    // Each press of a key or a mouse button in this window begins an
    // operator action: what the one before set off becomes a step to undo.
    // Ctrl+Z and Ctrl+Shift+Z undo and redo those steps, also while a text
    // field has the focus (its own undo would bypass the layout).
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void place(QWidget *w, double left, double top, double width, double height);
    void place(QWidget *w, const Control &c);
    // The frame of a framed button takes the colours of the form's line
    // items of these numbers (top, left, bottom, right) when it has them.
    void frameWith(FramedButton *button, const std::array<int, 4> &lines);
    void watchBrowser();
    void watchPrintDialog();
    void watchAbout();
    void watchJournal();
    // Shows or hides the window as the form says; a form that ended the
    // program closes it.
    void followShown();
    void forwardMouse(MouseAction a, QMouseEvent *e);
    // Background for the pointer: containers pass moves on to the window.
    void trackBackground();
    // The command keys on a window: this one, and the docked browser, whose
    // focus is the operator's too.
    void addShortcuts(QWidget *on);
    // A command key: the click of the control, where the operator could
    // click it.
    void activate(Label &control);

    void buildHeader();
    void buildNumberGroup();
    void buildSampleGroup();
    void buildLayoutCard();
    void buildStyleStrip();
    void buildPreview();
    void buildSlotPanels();
    void buildPrintOrder();
    void buildShiftGroup();
    void buildStatusBar();

    MainForm &m_form;
    bool m_formShown = false;
    PagePreviewWidget *m_preview = nullptr;
    QWidget *m_orderPicture = nullptr;
    QPointer<BrowserWindow> m_browser;
    QPointer<PrintWindow> m_print;
    QPointer<AboutWindow> m_about;
    QPointer<JournalWindow> m_journal;
};

} // namespace ui
} // namespace numora
