#include "QtDialogs.h"
#include "QtPrinter.h"
#include "platform/Colour.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

namespace numora {

namespace {

// The questions carry no title of their own; a bare title bar would show
// nothing, so the program's name stands there instead.
QString shownTitle(const QString &title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

} // namespace

QWidget *QtDialogs::owner() const
{
    // Over the window the operator is working in (the browser beside the
    // main window asks its own questions), else over the main window.
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_parent;
}

Dialogs::Answer QtDialogs::message(const QString &text, const QString &title, Buttons buttons)
{
    QMessageBox box(owner());
    box.setText(text);
    box.setWindowTitle(shownTitle(title));
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::OK:
        set = QMessageBox::Ok;
        escape = QMessageBox::Ok;
        break;
    case Buttons::OKCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    }
    box.setStandardButtons(set);
    box.setEscapeButton(escape);
    box.setIcon(buttons == Buttons::OK ? QMessageBox::Information : QMessageBox::Question);
    // Closing the box with its window button counts as its escape button.
    int result = box.exec();
    if (!(set & QMessageBox::StandardButton(result)))
        result = escape;
    switch (QMessageBox::StandardButton(result)) {
    case QMessageBox::Ok: return Answer::OK;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &proposal)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), shownTitle(title), prompt, QLineEdit::Normal, proposal, &ok);
    return ok ? text : QString();
}

std::optional<qint32> QtDialogs::chooseColour(qint32 initial)
{
    const QColor start = resolveColour(initial, owner() ? owner()->palette() : QGuiApplication::palette());
    const QColor c = QColorDialog::getColor(start, owner());
    if (!c.isValid())
        return std::nullopt;
    return rgbColour(c.red(), c.green(), c.blue());
}

bool QtDialogs::printerSetup(Printer &printer)
{
    // Only the toolkit's printer has a set-up dialog; another printer (a
    // test double) has nothing to set up.
    auto *qt = dynamic_cast<QtPrinter *>(&printer);
    return qt && qt->runSetupDialog(owner());
}

} // namespace numora
