#pragma once
#include "FormWindow.h"

class QLabel;
class QTreeWidget;

namespace numora {
class JournalForm;
}

namespace numora::ui {

class BoundComboBox;
class BoundLineEdit;
class BoundListBox;
class FramedButton;

// The journal window Jrnl1 over the headless JournalForm: the runs newest
// first under the layout filter and the number search, the chosen run in
// full, and the strip that prints pages of it again. It takes its caption,
// place, size and shown state from the form; closing it (its button, the
// window's close button, Escape) is the form's Close.
class JournalWindow : public FormWindow
{
public:
    explicit JournalWindow(JournalForm &form, QWidget *owner = nullptr);

    JournalForm &form() const { return m_form; }
    BoundListBox *runList() const { return m_runs; }
    BoundLineEdit *layoutFilter() const { return m_filter; }
    BoundLineEdit *numberField() const { return m_number; }
    QLabel *found() const { return m_found; }
    QLabel *details() const { return m_details; }
    BoundComboBox *printerBox() const { return m_printers; }
    FramedButton *reprintButton() const { return m_reprint; }
    FramedButton *restButton() const { return m_rest; }
    FramedButton *closeButton() const { return m_close; }
    // The selected run's print jobs (the form's jobList), one row a part.
    QTreeWidget *jobTable() const { return m_jobs; }

protected:
    void captionApplied(const QString &caption) override;
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    JournalForm &m_form;
    QWidget *m_owner = nullptr;
    QLabel *m_title = nullptr;
    BoundListBox *m_runs = nullptr;
    BoundLineEdit *m_filter = nullptr;
    BoundLineEdit *m_number = nullptr;
    QLabel *m_found = nullptr;
    QLabel *m_details = nullptr;
    QTreeWidget *m_jobs = nullptr;
    BoundComboBox *m_printers = nullptr;
    FramedButton *m_reprint = nullptr;
    FramedButton *m_rest = nullptr;
    FramedButton *m_close = nullptr;
};

} // namespace numora::ui
