#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace numora {
class Printer;
}

namespace numora {

// The questions a form can ask. The program shows real dialogs; tests
// answer from a script.
class Dialogs
{
public:
    enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
    enum class Answer { OK, Cancel, Yes, No };

    virtual ~Dialogs() = default;
    // A message box. Enter, like Escape, gives the answer that acts on
    // nothing: a key pressed by habit never prints, deletes or overwrites.
    Answer message(const QString &text, const QString &title, Buttons buttons)
    {
        return ask(text, title, buttons, cautiousAnswer(buttons));
    }
    // A message box whose Enter gives `onEnter` (one of its buttons), for a
    // question whose acting answer loses nothing.
    Answer message(const QString &text, const QString &title, Buttons buttons, Answer onEnter)
    {
        return ask(text, title, buttons, onEnter);
    }
    // The answer that acts on nothing: what Escape, closing the box, or a
    // question nobody can answer gives.
    static Answer cautiousAnswer(Buttons buttons)
    {
        switch (buttons) {
        case Buttons::OK: return Answer::OK;
        case Buttons::YesNo: return Answer::No;
        case Buttons::OKCancel:
        case Buttons::YesNoCancel: break;
        }
        return Answer::Cancel;
    }
    // Empty text on cancel.
    virtual QString input(const QString &prompt, const QString &title, const QString &proposal) = 0;
    // The chosen colour, or nothing when the chooser was cancelled.
    virtual std::optional<qint32> chooseColour(qint32 initial) = 0;
    // The printer set-up dialog for the current printer, which it may
    // change; true when confirmed.
    virtual bool printerSetup(Printer &printer) = 0;
    // Shows the pages drawPages draws, on the paper of `printer` (the one
    // the run goes to), with the lines of text above them. Nothing is
    // printed: drawPages gets a printer of the preview's own, as often as
    // the preview needs its pages.
    virtual void printPreview(const QString &title, const QStringList &lines, Printer &printer,
                              const std::function<void(Printer &)> &drawPages) = 0;

protected:
    virtual Answer ask(const QString &text, const QString &title, Buttons buttons, Answer onEnter) = 0;
};

} // namespace numora
