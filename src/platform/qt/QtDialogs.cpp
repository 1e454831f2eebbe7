#include "QtDialogs.h"
#include "QtPrinter.h"
#include "platform/Colour.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <QWidget>

#include <algorithm>

namespace numora {

namespace {

// The questions carry no title of their own; a bare title bar would show
// nothing, so the program's name stands there instead.
QString shownTitle(const QString &title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

// Long words (a file path) get break opportunities after their separators
// and every few dozen characters, so that the box wraps them at its usual
// width instead of growing towards the screen's. The breaks are zero-width
// spaces: nothing shows of them.
QString breakable(const QString &text)
{
    constexpr qsizetype longest = 32;
    const QChar zeroWidthSpace(0x200B);
    QString out;
    qsizetype wordStart = 0;
    const auto flushWord = [&](qsizetype end) {
        const QStringView word = QStringView(text).mid(wordStart, end - wordStart);
        if (word.size() <= longest) {
            out += word;
            return;
        }
        qsizetype run = 0;
        for (const QChar c : word) {
            out += c;
            ++run;
            const bool separator = c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('_')
                                   || c == QLatin1Char('-') || c == QLatin1Char('.');
            if (separator || run >= longest) {
                out += zeroWidthSpace;
                run = 0;
            }
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isSpace()) {
            flushWord(i);
            out += text.at(i);
            wordStart = i + 1;
        }
    }
    flushWord(text.size());
    return out;
}

// A message box (or input box) centred on the window it concerns and kept
// on the screen. The toolkit sizes it when it is shown; it would centre it
// too, but guesses a frame for a window that has none (the main window) and
// so puts it off the middle. On a screen narrower than the box it takes the
// screen's free width and wraps its text to that.
template <typename Dialog>
class Placed : public Dialog
{
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent *e) override
    {
        Dialog::showEvent(e);
        if (!e->spontaneous())
            place();
    }

    void changeEvent(QEvent *e) override
    {
        Dialog::changeEvent(e);
        // The frame is known once the box is on the screen (by the time it
        // is active): it is placed again by the frame it really has.
        if (e->type() == QEvent::ActivationChange && !m_framed && this->isVisible()) {
            const QMargins frame = frameOf(this);
            if (!frame.isNull()) {
                m_framed = true;
                s_frame = frame;
                place();
            }
        }
    }

private:
    static QMargins frameOf(const QWidget *w)
    {
        const QRect f = w->frameGeometry(), g = w->geometry();
        return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
    }

    void place()
    {
        const QWidget *over = this->parentWidget() ? this->parentWidget()->window() : nullptr;
        const QScreen *s = over ? over->screen() : this->screen();
        if (!s)
            return;
        const QRect free = s->availableGeometry();
        // Until the box is on the screen its frame is taken to be that of
        // another framed window of the program, or of the last box.
        QMargins frame = frameOf(this);
        for (const QWidget *w : QApplication::topLevelWidgets()) {
            if (!frame.isNull())
                break;
            if (w != this && w->isVisible())
                frame = frameOf(w);
        }
        if (frame.isNull())
            frame = s_frame;
        const int widest = free.width() - frame.left() - frame.right();
        if (this->width() > widest) {
            QLayout *l = this->layout();
            this->setFixedSize(widest, l && l->hasHeightForWidth() ? l->totalHeightForWidth(widest) : this->height());
        }
        // The inside of the box centred on the inside of the window, the
        // frame round it within the free part of the screen.
        QRect r(QPoint(), this->size());
        r.moveCenter(over ? over->geometry().center() : free.center());
        const QRect room = free.marginsRemoved(frame);
        r.moveLeft(std::clamp(r.left(), room.left(), std::max(room.left(), room.right() + 1 - r.width())));
        r.moveTop(std::clamp(r.top(), room.top(), std::max(room.top(), room.bottom() + 1 - r.height())));
        const QPoint at = r.topLeft() - QPoint(frame.left(), frame.top());
        // Through the window itself: where the system moved the box when it
        // framed it, the widget may not have heard.
        if (this->windowHandle())
            this->windowHandle()->setFramePosition(at);
        else
            this->move(at);
    }

    bool m_framed = false;
    static inline QMargins s_frame;
};

} // namespace

QWidget *QtDialogs::owner() const
{
    // Over the window the operator is working in (the browser beside the
    // main window asks its own questions), else over the main window. A
    // box is centred on the window it stands over.
    QWidget *active = QApplication::activeWindow();
    if (active && active->isVisible() && !active->isMinimized())
        return active;
    return m_parent;
}

Dialogs::Answer QtDialogs::message(const QString &text, const QString &title, Buttons buttons)
{
    Placed<QMessageBox> box(owner());
    box.setText(breakable(text));
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
    Placed<QInputDialog> box(owner());
    box.setWindowTitle(shownTitle(title));
    box.setLabelText(prompt);
    box.setTextValue(proposal);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
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
