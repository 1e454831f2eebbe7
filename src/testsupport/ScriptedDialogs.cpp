#include "ScriptedDialogs.h"
#include "platform/Colour.h"
#include "platform/Printer.h"
#include "RecordingPrinter.h"

#include <algorithm>

namespace numora {

void ScriptedDialogs::queue(const QString &answer, bool literal) { m_queue.push_back(Queued{answer, literal}); }

QStringList ScriptedDialogs::pendingAnswers() const
{
    QStringList l;
    for (const Queued &q : m_queue)
        l.append(q.text);
    return l;
}

QStringList ScriptedDialogs::takeFailures()
{
    QStringList f;
    f.swap(m_failures);
    return f;
}

QString ScriptedDialogs::buttonsName(Buttons b)
{
    switch (b) {
    case Buttons::OK: return QStringLiteral("OK");
    case Buttons::OKCancel: return QStringLiteral("OKCancel");
    case Buttons::YesNo: return QStringLiteral("YesNo");
    case Buttons::YesNoCancel: return QStringLiteral("YesNoCancel");
    }
    return {};
}

QString ScriptedDialogs::answerName(Answer a)
{
    switch (a) {
    case Answer::OK: return QStringLiteral("OK");
    case Answer::Cancel: return QStringLiteral("Cancel");
    case Answer::Yes: return QStringLiteral("Yes");
    case Answer::No: return QStringLiteral("No");
    }
    return {};
}

QString ScriptedDialogs::quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    const auto hex = [](uint v, int digits) {
        return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper();
    };
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('"'))
            out += QStringLiteral("\\\"");
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("\\x") + hex(u, 2);
        else if (!c.isSurrogate() && !c.isPrint())
            // Invisible marks (direction marks, byte order mark) would make
            // the line unreadable; characters beyond 16 bits pass as they are.
            out += QStringLiteral("\\u") + hex(u, 4);
        else
            out += c;
    }
    out += QLatin1Char('"');
    return out;
}

void ScriptedDialogs::show(const QString &question, const QString &answer)
{
    ++m_asked;
    const QString line = QStringLiteral("ask: ") + question + QStringLiteral(" -> ") + answer;
    m_lines.append(line);
    if (m_sink)
        m_sink(line);
}

void ScriptedDialogs::fail(const QString &why) { m_failures.append(why); }

std::optional<ScriptedDialogs::Queued> ScriptedDialogs::next(const QString &question)
{
    if (m_queue.empty()) {
        show(question, QStringLiteral("(no answer)"));
        fail(QStringLiteral("a dialog was shown with no answer queued: ") + question);
        return std::nullopt;
    }
    Queued q = m_queue.front();
    m_queue.pop_front();
    return q;
}

Dialogs::Answer ScriptedDialogs::ask(const QString &text, const QString &title, Buttons buttons, Answer onEnter)
{
    QString question = QStringLiteral("message ") + quoted(text) + QLatin1Char(' ') + quoted(title) + QLatin1Char(' ')
                       + buttonsName(buttons);
    // Enter acts on nothing unless a question says otherwise: only then is
    // its default worth a word.
    if (onEnter != cautiousAnswer(buttons))
        question += QStringLiteral(" default ") + answerName(onEnter);
    // Without a usable answer the box is dismissed the way Escape does.
    const Answer dismissed = cautiousAnswer(buttons);
    const auto q = next(question);
    if (!q)
        return dismissed;
    if (!q->literal && (q->text == QLatin1String("Enter") || q->text == QLatin1String("Escape"))) {
        const Answer a = q->text == QLatin1String("Enter") ? onEnter : dismissed;
        show(question, q->text + QStringLiteral(": ") + answerName(a));
        return a;
    }
    QList<Answer> offered;
    switch (buttons) {
    case Buttons::OK: offered = {Answer::OK}; break;
    case Buttons::OKCancel: offered = {Answer::OK, Answer::Cancel}; break;
    case Buttons::YesNo: offered = {Answer::Yes, Answer::No}; break;
    case Buttons::YesNoCancel: offered = {Answer::Yes, Answer::No, Answer::Cancel}; break;
    }
    for (Answer a : offered) {
        if (q->text == answerName(a)) {
            show(question, answerName(a));
            return a;
        }
    }
    show(question, quoted(q->text));
    fail(QStringLiteral("the answer ") + quoted(q->text) + QStringLiteral(" is not a button of ") + question);
    return dismissed;
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title, const QString &proposal)
{
    const QString question = QStringLiteral("input ") + quoted(prompt) + QLatin1Char(' ') + quoted(title)
                             + QLatin1Char(' ') + quoted(proposal);
    const auto q = next(question);
    if (!q)
        return {};
    if (!q->literal && q->text == QLatin1String("Cancel")) {
        show(question, QStringLiteral("Cancel"));
        return {};
    }
    show(question, quoted(q->text));
    return q->text;
}

std::optional<qint32> ScriptedDialogs::chooseColour(qint32 initial)
{
    const QString question = QStringLiteral("color \"\" \"\" ") + colourText(initial);
    const auto q = next(question);
    if (!q)
        return std::nullopt;
    if (!q->literal && q->text == QLatin1String("Cancel")) {
        show(question, QStringLiteral("Cancel"));
        return std::nullopt;
    }
    // Strict: the chooser returns a colour value, never a partly numeric text.
    bool ok = false;
    const qint64 v = q->text.toLongLong(&ok);
    const std::optional<qint32> c =
        ok && v >= INT32_MIN && v <= INT32_MAX ? std::optional<qint32>(qint32(v)) : std::nullopt;
    if (!c) {
        show(question, quoted(q->text));
        fail(QStringLiteral("the answer ") + quoted(q->text) + QStringLiteral(" is not a colour value for ")
             + question);
        return std::nullopt;
    }
    show(question, colourText(*c));
    return c;
}

bool ScriptedDialogs::printerSetup(Printer &printer)
{
    const QString question = QStringLiteral("printer \"\" \"\"");
    const auto q = next(question);
    if (!q)
        return false;
    if (!q->literal && (q->text == QLatin1String("OK") || q->text == QLatin1String("Cancel"))) {
        show(question, q->text);
        return q->text == QLatin1String("OK");
    }
    // A printer's name: the operator picks that printer and confirms.
    show(question, quoted(q->text));
    if (printer.selectPrinterByName(q->text))
        return true;
    fail(QStringLiteral("the answer ") + quoted(q->text)
         + QStringLiteral(" is neither OK, Cancel nor an installed printer for ") + question);
    return false;
}

void ScriptedDialogs::printPreview(const QString &title, const QStringList &lines, Printer &printer,
                                   const std::function<void(Printer &)> &drawPages)
{
    QString question = QStringLiteral("preview ") + quoted(title);
    for (const QString &line : lines)
        question += QLatin1Char(' ') + quoted(line);
    // The preview's own printer, on the run's paper, standing.
    RecordingPrinter scratch;
    scratch.setPrinters({QStringLiteral("Preview")});
    const double w = printer.paperWidth(), h = printer.paperHeight();
    if (w > 0 && h > 0)
        scratch.setPaper(std::min(w, h), std::max(w, h));
    if (drawPages)
        drawPages(scratch);
    const QStringList drawn = scratch.lines();
    const bool any = std::any_of(drawn.cbegin(), drawn.cend(),
                                 [](const QString &l) { return l.startsWith(QLatin1String("StartDoc")); });
    const qsizetype pages = any ? 1 + drawn.count(QStringLiteral("NewPage")) : 0;
    show(question, QStringLiteral("%1 page%2").arg(pages).arg(pages == 1 ? QString() : QStringLiteral("s")));
}

} // namespace numora
