#pragma once
#include "FormWindow.h"

#include <QPointer>

class QLabel;
class QPushButton;

namespace numora {
class PrintForm;
}

namespace numora::ui {

class BoundCheckBox;
class BoundComboBox;
class BoundLabel;
class BoundLineEdit;
class PageCopiesIllustration;
class PrintProgressPanel;

// The print dialog Prnt1 as a window over the headless PrintForm: a dialog
// above the main window, though not modal in the toolkit's sense (the form
// disables the main window itself, and the layout browser stays usable).
// It takes its caption, place, shown and enabled state from the form, lays
// the controls out where the form puts them, below a title strip like the
// other windows', and shows the progress of long runs.
class PrintWindow : public FormWindow
{
public:
    explicit PrintWindow(PrintForm &form, QWidget *owner = nullptr);
    ~PrintWindow() override;

    PrintForm &form() const { return m_form; }
    BoundComboBox *printerBox() const { return m_printers; }
    BoundLineEdit *pageField() const { return m_pages; }
    BoundCheckBox *twoPageOption() const { return m_twoPages; }
    PageCopiesIllustration *oneCopyPicture() const { return m_once; }
    PageCopiesIllustration *twoCopiesPicture() const { return m_twice; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *propertiesButton() const { return m_properties; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *previewButton() const { return m_look; }
    BoundLabel *sample() const { return m_sample; }
    QWidget *previewArea() const { return m_preview; }
    PrintProgressPanel *progress() const { return m_progress; }

protected:
    // The title strip shows the caption and what is printed.
    void captionApplied(const QString &caption) override;
    // The window's close button is Cancel, unless a run prints.
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    // A model control's place in twips as pixels in the window, below the
    // title strip.
    QRect placeOf(double left, double top, double width, double height) const;
    void place(QWidget *w, double left, double top, double width, double height);
    void placeSample();
    // The form shows itself again every second while it is open.
    void keepInFront();

    PrintForm &m_form;
    QPointer<QWidget> m_owner;
    QWidget *m_header = nullptr;
    QLabel *m_title = nullptr;
    BoundComboBox *m_printers = nullptr;
    BoundLineEdit *m_pages = nullptr;
    BoundCheckBox *m_twoPages = nullptr;
    PageCopiesIllustration *m_once = nullptr;
    PageCopiesIllustration *m_twice = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_properties = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_look = nullptr;
    QWidget *m_preview = nullptr;
    BoundLabel *m_sample = nullptr;
    PrintProgressPanel *m_progress = nullptr;
};

} // namespace numora::ui
