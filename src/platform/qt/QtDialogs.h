#pragma once
#include "platform/Dialogs.h"

#include <QPointer>

class QWidget;

namespace numora {

// The questions of the forms as the toolkit's dialogs: QMessageBox,
// QInputDialog, QColorDialog and QPrintDialog, shown modal over the parent.
class QtDialogs : public Dialogs
{
public:
    // The window the dialogs centre on when no window of the program is
    // active; may change once the views exist.
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const QString &text, const QString &title, Buttons buttons) override;
    QString input(const QString &prompt, const QString &title, const QString &proposal) override;
    std::optional<qint32> chooseColour(qint32 initial) override;
    bool printerSetup(Printer &printer) override;

private:
    QWidget *owner() const;

    QPointer<QWidget> m_parent;
};

} // namespace numora
