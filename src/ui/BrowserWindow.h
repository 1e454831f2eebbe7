#pragma once
#include "FormWindow.h"

class QLabel;

namespace numora {
class BrowserForm;
}

namespace numora::ui {

class BoundComboBox;
class BoundLabel;
class BoundLineEdit;
class BoundListBox;
class FramedButton;
class SheetStackIcon;

// The layout browser Save1 as a window of its own over the headless
// BrowserForm. The window takes its caption, place, size, shown, enabled and
// minimised state from the form and reports the operator's moves, state
// changes and closing back to it.
class BrowserWindow : public FormWindow
{
public:
    // Design size in twips: as high as the main window, so that the two
    // stand side by side as one.
    static constexpr double DesignWidth = 3500;
    static constexpr double DesignHeight = 8505;

    explicit BrowserWindow(BrowserForm &form, QWidget *parent = nullptr);

    BrowserForm &form() const { return m_form; }
    BoundComboBox *filter() const { return m_filter; }
    BoundListBox *fileList() const { return m_files; }
    BoundLineEdit *search() const { return m_search; }
    BoundLabel *fileName() const { return m_fileName; }
    BoundLabel *startNumber() const { return m_startNumber; }
    SheetStackIcon *standingIcon() const { return m_standing; }
    SheetStackIcon *lyingIcon() const { return m_lying; }
    FramedButton *openButton() const { return m_open; }
    FramedButton *deleteButton() const { return m_delete; }
    FramedButton *closeButton() const { return m_close; }

protected:
    // The header shows the form's caption too.
    void captionApplied(const QString &caption) override;
    void closeEvent(QCloseEvent *e) override;
    // Escape is the browser's Close.
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void fitButtons();

    BrowserForm &m_form;
    QLabel *m_title = nullptr;
    QWidget *m_band = nullptr;
    BoundComboBox *m_filter = nullptr;
    BoundListBox *m_files = nullptr;
    BoundLineEdit *m_search = nullptr;
    BoundLabel *m_fileName = nullptr;
    BoundLabel *m_startNumber = nullptr;
    SheetStackIcon *m_standing = nullptr;
    SheetStackIcon *m_lying = nullptr;
    FramedButton *m_open = nullptr;
    FramedButton *m_delete = nullptr;
    FramedButton *m_close = nullptr;
};

} // namespace numora::ui
