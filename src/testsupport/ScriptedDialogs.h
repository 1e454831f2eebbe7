#pragma once
#include "platform/Dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace numora {

// The Dialogs test double: every question takes the next queued answer. A
// question with no answer left, or with an answer its dialog cannot give
// (No for an OK box, a word for the colour chooser), is recorded as a
// failure, which the test or script then reports; the form gets the most
// cautious answer (Cancel, No, nothing) so that it goes on without acting.
//
// Every question shown is also described in one line:
//   ask: message "TEXT" "TITLE" YesNoCancel -> Yes
//   ask: message "TEXT" "TITLE" YesNo default No -> Enter: No
//   ask: input "PROMPT" "TITLE" "PROPOSAL" -> "name"
//   ask: color "" "" 16777215 -> 255
//   ask: printer "" "" -> OK
//   ask: preview "TITLE" "position 1: No:000001 to No:000010" -> 2 pages
// A box whose Enter is not its first button names its default. Besides a
// button, a message box takes the keys Enter (its default) and Escape (its
// cautious answer), as an operator who only types does.
// A preview takes no answer: its pages are drawn into a printer of its own
// and counted.
class ScriptedDialogs : public Dialogs
{
public:
    // Queues an answer: a button name (Yes, No, Cancel, OK), a text for an
    // input box, a colour value or Cancel. With `literal`, the answer is a
    // text even when it reads "Cancel" (an input box then returns "Cancel").
    void queue(const QString &answer, bool literal = false);
    int pending() const { return int(m_queue.size()); }
    QStringList pendingAnswers() const;

    // Questions shown so far.
    int asked() const { return m_asked; }
    // The "ask:" lines so far; each is also passed to the sink when one is set.
    const QStringList &lines() const { return m_lines; }
    void setSink(std::function<void(const QString &)> sink) { m_sink = std::move(sink); }

    bool hasFailure() const { return !m_failures.isEmpty(); }
    // The failures recorded since the last call, oldest first.
    QStringList takeFailures();

    QString input(const QString &prompt, const QString &title, const QString &proposal) override;
    std::optional<qint32> chooseColour(qint32 initial) override;
    bool printerSetup(Printer &printer) override;
    void printPreview(const QString &title, const QStringList &lines, Printer &printer,
                      const std::function<void(Printer &)> &drawPages) override;

    static QString buttonsName(Buttons b);
    static QString answerName(Answer a);
    // Text in double quotes with the escapes of form scripts.
    static QString quoted(const QString &text);

protected:
    Answer ask(const QString &text, const QString &title, Buttons buttons, Answer onEnter) override;

private:
    struct Queued
    {
        QString text;
        bool literal;
    };
    // The next answer, or nothing (and a failure) when none is left.
    std::optional<Queued> next(const QString &question);
    void show(const QString &question, const QString &answer);
    void fail(const QString &why);

    std::deque<Queued> m_queue;
    int m_asked = 0;
    QStringList m_lines;
    QStringList m_failures;
    std::function<void(const QString &)> m_sink;
};

} // namespace numora
