#pragma once
#include "platform/Dialogs.h"

#include <QPointer>

class QWidget;

namespace numora {

// The questions of the forms as the toolkit's dialogs: QMessageBox,
// QInputDialog, QColorDialog, QPrintDialog and a print preview, shown modal
// over the parent.
class QtDialogs : public Dialogs
{
public:
    // The window the dialogs centre on when no window of the program is
    // active; may change once the views exist.
    void setParent(QWidget *parent) { m_parent = parent; }

    QString input(const QString &prompt, const QString &title, const QString &proposal) override;
    std::optional<qint32> chooseColour(qint32 initial) override;
    bool printerSetup(Printer &printer) override;
    // A preview window of the program's own over Qt's preview widget: it has
    // no Print or page set-up command, since pages printed from there would
    // be numbers printed without being counted or journaled.
    void printPreview(const QString &title, const QStringList &lines, Printer &printer,
                      const std::function<void(Printer &)> &drawPages) override;

protected:
    Answer ask(const QString &text, const QString &title, Buttons buttons, Answer onEnter) override;

private:
    QWidget *owner() const;

    QPointer<QWidget> m_parent;
};

} // namespace numora
