#include "ScriptRunner.h"
#include "app/LayoutUndo.h"
#include "platform/Numeric.h"
#include "platform/controls/BasicControls.h"

#include <QDate>
#include <QFile>
#include <QStringDecoder>
#include <QTime>
#include <cmath>
#include <exception>

namespace numora::script {

namespace {

// Stops a script. Thrown only by the runner's own checks, before it calls
// into a form or after the form has returned, never from inside a handler.
struct ScriptError
{
    QString message;
};

// Splits "Form.Control.property" at the dots outside parentheses, so that
// an index such as list(2) stays whole.
QStringList splitDots(const QString &text)
{
    QStringList parts;
    QString cur;
    int depth = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (c == QLatin1Char('.') && depth == 0) {
            parts.append(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.append(cur);
    return parts;
}

} // namespace

ScriptRunner::ScriptRunner(Output out)
    : m_out(std::move(out))
{}

ScriptRunner::~ScriptRunner() = default;

QString ScriptRunner::summary() const { return QStringLiteral("%1 passed, %2 failed").arg(m_passed).arg(m_failed); }

const QHash<QString, ScriptRunner::Command> &ScriptRunner::commands()
{
    static const QHash<QString, Command> table{
        {QStringLiteral("store"), {&ScriptRunner::cmdStore, 1, 2, "store KEY [VALUE]"}},
        {QStringLiteral("file"), {&ScriptRunner::cmdFile, 2, 2, "file NAME TEXT"}},
        {QStringLiteral("printers"), {&ScriptRunner::cmdPrinters, 0, -1, "printers NAME..."}},
        {QStringLiteral("printer"), {&ScriptRunner::cmdPrinter, 1, 1, "printer NAME"}},
        {QStringLiteral("paper"), {&ScriptRunner::cmdPaper, 2, 2, "paper W H"}},
        {QStringLiteral("printer-fails"), {&ScriptRunner::cmdPrinterFails, 2, 2, "printer-fails start|end TEXT"}},
        {QStringLiteral("clock"), {&ScriptRunner::cmdClock, 2, 2, "clock HH:MM:SS YYYY-MM-DD"}},
        {QStringLiteral("measure"), {&ScriptRunner::cmdMeasure, 2, 2, "measure W H"}},
        {QStringLiteral("fonts"), {&ScriptRunner::cmdFonts, 0, -1, "fonts NAME..."}},
        {QStringLiteral("journal"), {&ScriptRunner::cmdJournal, 0, 1, "journal [damaged|unwritable]"}},
        {QStringLiteral("config"), {&ScriptRunner::cmdConfig, 2, 2, "config SECTION/KEY VALUE"}},
        {QStringLiteral("start"), {&ScriptRunner::cmdStart, 0, 0, "start"}},
        {QStringLiteral("advance"), {&ScriptRunner::cmdAdvance, 1, 1, "advance MS"}},
        {QStringLiteral("settle"), {&ScriptRunner::cmdSettle, 0, 0, "settle"}},
        {QStringLiteral("type"), {&ScriptRunner::cmdType, 2, 2, "type CONTROL TEXT"}},
        {QStringLiteral("key"), {&ScriptRunner::cmdKey, 2, 2, "key CONTROL CODE"}},
        {QStringLiteral("leave"), {&ScriptRunner::cmdLeave, 1, 1, "leave CONTROL"}},
        {QStringLiteral("select"),
         {&ScriptRunner::cmdSelect, 2, 3, "select CONTROL START LENGTH | select CONTROL all"}},
        {QStringLiteral("clear"), {&ScriptRunner::cmdClear, 1, 1, "clear CONTROL"}},
        {QStringLiteral("paste"), {&ScriptRunner::cmdPaste, 2, 2, "paste CONTROL TEXT"}},
        {QStringLiteral("choose"), {&ScriptRunner::cmdChoose, 2, 2, "choose CONTROL ITEM"}},
        {QStringLiteral("click"), {&ScriptRunner::cmdClick, 1, 1, "click CONTROL"}},
        {QStringLiteral("dblclick"), {&ScriptRunner::cmdDblClick, 1, 1, "dblclick CONTROL"}},
        {QStringLiteral("scroll"), {&ScriptRunner::cmdScroll, 2, 2, "scroll CONTROL VALUE"}},
        {QStringLiteral("mouse"), {&ScriptRunner::cmdMouse, 4, 5, "mouse down|move|up CONTROL X Y [BUTTON]"}},
        {QStringLiteral("undo"), {&ScriptRunner::cmdUndo, 0, 0, "undo"}},
        {QStringLiteral("redo"), {&ScriptRunner::cmdRedo, 0, 0, "redo"}},
        {QStringLiteral("close"), {&ScriptRunner::cmdClose, 1, 1, "close FORM"}},
        {QStringLiteral("restore"), {&ScriptRunner::cmdRestore, 1, 1, "restore FORM"}},
        {QStringLiteral("set"), {&ScriptRunner::cmdSet, 2, 2, "set CONTROL.PROPERTY VALUE"}},
        {QStringLiteral("answer"), {&ScriptRunner::cmdAnswer, 1, 1, "answer VALUE"}},
        {QStringLiteral("expect"), {&ScriptRunner::cmdExpect, 2, 2, "expect CONTROL.PROPERTY VALUE"}},
        {QStringLiteral("expect-file"), {&ScriptRunner::cmdExpectFile, 2, 2, "expect-file NAME TEXT"}},
        {QStringLiteral("expect-no-file"), {&ScriptRunner::cmdExpectNoFile, 1, 1, "expect-no-file NAME"}},
        {QStringLiteral("expect-store"), {&ScriptRunner::cmdExpectStore, 1, 2, "expect-store KEY [VALUE]"}},
        {QStringLiteral("expect-asked"), {&ScriptRunner::cmdExpectAsked, 1, 1, "expect-asked COUNT"}},
        {QStringLiteral("expect-ask"), {&ScriptRunner::cmdExpectAsk, 1, 1, "expect-ask LINE"}},
        {QStringLiteral("expect-desktop"), {&ScriptRunner::cmdExpectDesktop, 0, -1, "expect-desktop [LINE...]"}},
        {QStringLiteral("print"),
         {&ScriptRunner::cmdPrint, 1, 2,
          "print CONTROL.PROPERTY | print store KEY | print file NAME | print printer | "
          "print desktop | print sequence"}},
    };
    return table;
}

bool ScriptRunner::runFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ++m_errors;
        emitLine(QStringLiteral("ERROR %1: cannot read the script: %2").arg(path, f.errorString()));
        return false;
    }
    return runText(path, f.readAll());
}

bool ScriptRunner::runText(const QString &name, const QByteArray &utf8)
{
    m_file = name;
    m_fileFailed = false;
    m_session = std::make_unique<ScriptSession>();
    m_session->dialogs.setSink([this](const QString &line) { emitLine(line); });

    bool ran = true;
    const QList<QByteArray> lines = utf8.split('\n');
    for (qsizetype i = 0; i < lines.size() && ran; ++i) {
        m_line = int(i + 1);
        m_command.clear();
        QByteArray raw = lines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        try {
            QStringDecoder decode(QStringDecoder::Utf8);
            const QString text = decode(raw);
            if (decode.hasError())
                error(QStringLiteral("the line is not valid UTF-8"));
            const SplitLine split = splitLine(text);
            if (!split.error.isEmpty())
                error(split.error);
            if (split.words.isEmpty())
                continue;
            execute(split.words);
            const QStringList problems = m_session->dialogs.takeFailures();
            if (!problems.isEmpty())
                error(problems.first());
        } catch (const ScriptError &e) {
            ++m_errors;
            emitLine(QStringLiteral("ERROR %1: %2").arg(where(), e.message));
            ran = false;
        } catch (const std::exception &e) {
            ++m_errors;
            emitLine(QStringLiteral("ERROR %1: internal error: %2").arg(where(), QString::fromLocal8Bit(e.what())));
            ran = false;
        }
    }
    if (ran && m_session->dialogs.pending() > 0) {
        // The answers left are the last ones queued.
        const QStringList left = m_session->dialogs.pendingAnswers();
        const std::vector<int> &at = m_session->answerLines;
        const int first = at.size() >= std::size_t(left.size()) ? at[at.size() - std::size_t(left.size())] : m_line;
        ++m_errors;
        emitLine(QStringLiteral("ERROR %1:%2: the answer %3 was never asked for (%4 answer(s) left)")
                     .arg(m_file)
                     .arg(first)
                     .arg(quote(left.first()))
                     .arg(left.size()));
        ran = false;
    }
    m_session.reset();
    return ran && !m_fileFailed;
}

void ScriptRunner::execute(const Args &words)
{
    m_command = words.first().text;
    const auto it = commands().constFind(m_command);
    if (words.first().quoted || it == commands().constEnd())
        error(QStringLiteral("unknown command %1").arg(quote(m_command)));
    const Command &c = *it;
    const Args args = words.mid(1);
    if (args.size() < c.minArgs || (c.maxArgs >= 0 && args.size() > c.maxArgs))
        error(QStringLiteral("usage: %1").arg(QLatin1String(c.usage)));
    // An operator action begins: what the one before set off becomes a step
    // to undo, as the window does it before passing the input on.
    static const QStringList typing{QStringLiteral("type"), QStringLiteral("key"), QStringLiteral("clear"),
                                    QStringLiteral("paste")};
    static const QStringList acting{QStringLiteral("leave"),    QStringLiteral("choose"), QStringLiteral("click"),
                                    QStringLiteral("dblclick"), QStringLiteral("scroll"), QStringLiteral("mouse"),
                                    QStringLiteral("close")};
    if (m_session->started() && !args.isEmpty()) {
        if (typing.contains(m_command))
            m_session->main->undo().checkpoint(QStringLiteral("key:") + args.first().text);
        else if (acting.contains(m_command))
            m_session->main->undo().checkpoint(m_command);
    }
    (this->*c.handler)(args);
}

QString ScriptRunner::where() const { return QStringLiteral("%1:%2").arg(m_file).arg(m_line); }

void ScriptRunner::error(const QString &message) const { throw ScriptError{message}; }

void ScriptRunner::notAvailable(const QString &what) const
{
    error(QStringLiteral("`%1` is not available yet: %2").arg(m_command, what));
}

void ScriptRunner::check(bool held, const QString &failure)
{
    if (held) {
        ++m_passed;
        return;
    }
    ++m_failed;
    m_fileFailed = true;
    emitLine(QStringLiteral("FAIL %1: %2").arg(where(), failure));
}

void ScriptRunner::requireStarted(const char *command) const
{
    if (!m_session->started())
        error(QStringLiteral("`%1` needs the windows: put `start` before it").arg(QLatin1String(command)));
}

void ScriptRunner::requireNotStarted(const char *command) const
{
    if (m_session->started())
        error(QStringLiteral("`%1` is set-up and must come before `start`").arg(QLatin1String(command)));
}

Form &ScriptRunner::form(const QString &name) const
{
    const FormEntry *entry = findFormEntry(name);
    if (!entry)
        error(QStringLiteral("unknown window %1").arg(quote(name)));
    if (!entry->find)
        error(QStringLiteral("the window %1 is not available yet").arg(name));
    if (!m_session->started())
        error(QStringLiteral("no window exists yet: put `start` before `%1`").arg(m_command));
    Form *f = entry->find(*m_session);
    if (!f)
        error(QStringLiteral("the window %1 is not loaded").arg(name));
    return *f;
}

Control &ScriptRunner::control(const Word &w) const
{
    const QStringList parts = splitDots(w.text);
    QString formName = QStringLiteral("Start1");
    QString name;
    if (parts.size() == 1)
        name = parts.at(0);
    else if (parts.size() == 2 && isFormName(parts.at(0))) {
        formName = parts.at(0);
        name = parts.at(1);
    } else
        error(QStringLiteral("%1 is not a control (write CONTROL or FORM.CONTROL)").arg(quote(w.text)));
    Form &f = form(formName);
    Control *c = name.isEmpty() ? nullptr : f.control(name);
    if (!c)
        error(QStringLiteral("%1 has no control %2").arg(f.name(), quote(name)));
    return *c;
}

Form &ScriptRunner::operableForm(const QString &name) const
{
    Form &f = form(name);
    if (!f.visible())
        error(QStringLiteral("the window %1 is not shown: the operator cannot reach it").arg(name));
    if (!f.enabled())
        error(QStringLiteral("the window %1 is disabled: the operator cannot reach it").arg(name));
    return f;
}

Control &ScriptRunner::operable(const Word &w) const
{
    Control &c = control(w);
    const QStringList parts = splitDots(w.text);
    const Form &f = form(parts.size() == 2 ? parts.at(0) : QStringLiteral("Start1"));
    if (!f.visible())
        error(QStringLiteral("the window %1 is not shown: the operator cannot reach %2").arg(f.name(), w.text));
    if (!f.enabled())
        error(QStringLiteral("the window %1 is disabled: the operator cannot reach %2").arg(f.name(), w.text));
    if (!c.visible())
        error(QStringLiteral("%1 is hidden: the operator cannot reach it").arg(w.text));
    if (!c.enabled())
        error(QStringLiteral("%1 is disabled: the operator cannot reach it").arg(w.text));
    return c;
}

ScriptRunner::PropertyRef ScriptRunner::property(const Word &w) const
{
    const QStringList parts = splitDots(w.text);
    PropertyRef ref;
    ref.written = w.text;
    QString controlName;
    if (parts.size() == 3) {
        if (!isFormName(parts.at(0)))
            error(QStringLiteral("unknown window %1 in %2").arg(quote(parts.at(0)), w.text));
        ref.form = &form(parts.at(0));
        controlName = parts.at(1);
        ref.property = parts.at(2);
    } else if (parts.size() == 2 && isFormName(parts.at(0))) {
        ref.form = &form(parts.at(0));
        ref.property = parts.at(1);
        if (!ref.form->state(ref.property).isValid())
            error(QStringLiteral("%1 has no state %2").arg(ref.form->name(), quote(ref.property)));
        return ref;
    } else if (parts.size() == 2) {
        ref.form = &form(QStringLiteral("Start1"));
        controlName = parts.at(0);
        ref.property = parts.at(1);
    } else {
        error(QStringLiteral("%1 is not a property (write CONTROL.PROPERTY or FORM.STATE)").arg(quote(w.text)));
    }
    ref.control = controlName.isEmpty() ? nullptr : ref.form->control(controlName);
    if (!ref.control)
        error(QStringLiteral("%1 has no control %2").arg(ref.form->name(), quote(controlName)));
    if (ref.property.isEmpty() || !ref.control->has(ref.property))
        error(QStringLiteral("%1 (%2) has no property %3")
                  .arg(controlName, QLatin1String(ref.control->kind()), quote(ref.property)));
    return ref;
}

QVariant ScriptRunner::read(const PropertyRef &ref) const
{
    const QVariant v = ref.control ? ref.control->get(ref.property) : ref.form->state(ref.property);
    if (!v.isValid())
        error(QStringLiteral("%1 has no value (an index out of range?)").arg(ref.written));
    return v;
}

qint64 ScriptRunner::integer(const Word &w, qint64 min, qint64 max, const char *what) const
{
    const auto v = parseInteger(w.text, min, max);
    if (!v)
        error(QStringLiteral("%1 must be a whole number from %2 to %3, not %4")
                  .arg(QLatin1String(what))
                  .arg(min)
                  .arg(max)
                  .arg(quote(w.text)));
    return *v;
}

double ScriptRunner::number(const Word &w, const char *what) const
{
    const auto v = parseNumber(w.text);
    if (!v)
        error(QStringLiteral("%1 must be a number, not %2").arg(QLatin1String(what), quote(w.text)));
    return *v;
}

QVariant ScriptRunner::valueFor(const QVariant &current, const Word &w) const
{
    if (current.metaType().id() == QMetaType::Bool) {
        if (w.text == QLatin1String("1") || w.text == QLatin1String("0"))
            return w.text == QLatin1String("1");
        error(QStringLiteral("a true/false value is written 1 or 0, not %1").arg(quote(w.text)));
    }
    if (isNumeric(current)) {
        const double v = number(w, "the value");
        if (v == std::trunc(v) && std::fabs(v) < 9e18)
            return qlonglong(v);
        return v;
    }
    return w.text;
}

// ---- Set-up -------------------------------------------------------------

void ScriptRunner::cmdStore(const Args &a)
{
    requireNotStarted("store");
    if (a.size() == 2)
        m_session->store(a.at(0).text, a.at(1).text);
    else
        m_session->unstore(a.at(0).text);
}

void ScriptRunner::cmdFile(const Args &a)
{
    requireNotStarted("file");
    const QString problem = m_session->writeFile(a.at(0).text, a.at(1).text);
    if (!problem.isEmpty())
        error(problem);
}

void ScriptRunner::cmdPrinters(const Args &a)
{
    requireNotStarted("printers");
    QStringList names;
    for (const Word &w : a)
        names.append(w.text);
    m_session->printer.setPrinters(names);
}

void ScriptRunner::cmdPrinter(const Args &a)
{
    requireNotStarted("printer");
    if (!m_session->printer.selectPrinterByName(a.at(0).text))
        error(QStringLiteral("%1 is not one of the printers set with `printers`").arg(quote(a.at(0).text)));
}

void ScriptRunner::cmdPaper(const Args &a)
{
    requireNotStarted("paper");
    const qint64 w = integer(a.at(0), 1, 1000000, "the paper width");
    const qint64 h = integer(a.at(1), 1, 1000000, "the paper height");
    m_session->printer.setPaper(double(w), double(h));
}

void ScriptRunner::cmdPrinterFails(const Args &a)
{
    const QString &where = a.at(0).text;
    if (where == QLatin1String("start"))
        m_session->printer.failNext(RecordingPrinter::FailAt::Start, a.at(1).text);
    else if (where == QLatin1String("end"))
        m_session->printer.failNext(RecordingPrinter::FailAt::End, a.at(1).text);
    else
        error(QStringLiteral("usage: printer-fails start|end TEXT"));
}

void ScriptRunner::cmdClock(const Args &a)
{
    requireNotStarted("clock");
    const QTime t = QTime::fromString(a.at(0).text, QStringLiteral("HH:mm:ss"));
    const QDate d = QDate::fromString(a.at(1).text, QStringLiteral("yyyy-MM-dd"));
    if (!t.isValid() || !d.isValid())
        error(QStringLiteral("the clock is written HH:MM:SS YYYY-MM-DD, not %1 %2").arg(a.at(0).text, a.at(1).text));
    m_session->clock.seconds = t.msecsSinceStartOfDay() / 1000;
    m_session->clock.y = d.year();
    m_session->clock.m = d.month();
    m_session->clock.d = d.day();
}

void ScriptRunner::cmdMeasure(const Args &a)
{
    requireNotStarted("measure");
    const double w = number(a.at(0), "the width per character");
    const double h = number(a.at(1), "the height");
    if (w < 0 || h < 0)
        error(QStringLiteral("text sizes cannot be negative"));
    m_session->fixedMeasure = std::make_pair(w, h);
}

void ScriptRunner::cmdFonts(const Args &a)
{
    requireNotStarted("fonts");
    QStringList names;
    for (const Word &w : a)
        names.append(w.text);
    m_session->fonts = names;
}

void ScriptRunner::cmdJournal(const Args &a)
{
    requireNotStarted("journal");
    const QString kind = a.isEmpty() ? QString() : a.at(0).text;
    if (!kind.isEmpty() && kind != QLatin1String("damaged") && kind != QLatin1String("unwritable"))
        error(QStringLiteral("usage: journal [damaged|unwritable]"));
    m_session->useJournal = true;
    // A file that is no journal at all, to be kept aside at the first run;
    // or a folder where the journal file should be, which nothing can open.
    if (!kind.isEmpty() && !m_session->spoilJournal(kind == QLatin1String("damaged")))
        error(QStringLiteral("cannot prepare the %1 journal").arg(kind));
}

void ScriptRunner::cmdConfig(const Args &a)
{
    const QString &sectionKey = a.at(0).text;
    const qsizetype slash = sectionKey.indexOf(QLatin1Char('/'));
    if (slash <= 0 || slash == sectionKey.size() - 1 || sectionKey.indexOf(QLatin1Char('/'), slash + 1) >= 0)
        error(QStringLiteral("a configuration key is written SECTION/KEY, not %1").arg(quote(sectionKey)));
    m_session->configure(sectionKey.left(slash), sectionKey.mid(slash + 1), a.at(1).text);
}

// ---- Running --------------------------------------------------------------

void ScriptRunner::cmdStart(const Args &)
{
    if (m_session->started())
        error(QStringLiteral("the windows were started already"));
    const QString problem = m_session->start();
    if (!problem.isEmpty())
        error(problem);
}

void ScriptRunner::cmdAdvance(const Args &a)
{
    requireStarted("advance");
    m_session->scheduler.advance(integer(a.at(0), 0, 86400000, "the milliseconds"));
}

void ScriptRunner::cmdSettle(const Args &)
{
    requireStarted("settle");
    if (!m_session->scheduler.settle(1000000))
        error(QStringLiteral("the timers were still armed after 1,000,000 ticks"));
}

// ---- Program writes and dialogs -------------------------------------------

void ScriptRunner::cmdSet(const Args &a)
{
    requireStarted("set");
    const PropertyRef ref = property(a.at(0));
    // A write the window refuses (a text that is no item of a pick list, a
    // value out of range) changes nothing, as it does in the program.
    if (ref.control)
        ref.control->set(ref.property, valueFor(ref.control->get(ref.property), a.at(1)));
    else
        ref.form->setState(ref.property, valueFor(ref.form->state(ref.property), a.at(1)));
}

void ScriptRunner::cmdAnswer(const Args &a)
{
    m_session->dialogs.queue(a.at(0).text, a.at(0).quoted);
    m_session->answerLines.push_back(m_line);
    // Keep only the lines of answers still waiting.
    const std::size_t pending = std::size_t(m_session->dialogs.pending());
    auto &lines = m_session->answerLines;
    if (lines.size() > pending)
        lines.erase(lines.begin(), lines.end() - std::ptrdiff_t(pending));
}

// ---- Checks and output ----------------------------------------------------

void ScriptRunner::cmdExpect(const Args &a)
{
    requireStarted("expect");
    const PropertyRef ref = property(a.at(0));
    const QVariant actual = read(ref);
    const Word &expected = a.at(1);
    const QString shown = formatValue(actual).value_or(QStringLiteral("?"));
    if (actual.metaType().id() == QMetaType::Bool || isNumeric(actual)) {
        const double got = actual.metaType().id() == QMetaType::Bool ? (actual.toBool() ? 1 : 0) : actual.toDouble();
        const auto want = parseNumber(expected.text);
        // Equal as printed: values computed in binary may differ in the last
        // bit from the decimal written in the script.
        const bool held = want && (got == *want || shortestDecimal(got) == shortestDecimal(*want));
        check(held, QStringLiteral("%1 is %2, expected %3").arg(ref.written, shown, expected.text));
    } else {
        check(actual.toString() == expected.text,
              QStringLiteral("%1 is %2, expected %3").arg(ref.written, shown, quote(expected.text)));
    }
}

std::optional<QString> ScriptRunner::fileText(const Word &name) const
{
    QString problem;
    const auto text = m_session->readFile(name.text, &problem);
    if (!problem.isEmpty())
        error(problem);
    return text;
}

void ScriptRunner::cmdExpectFile(const Args &a)
{
    const auto text = fileText(a.at(0));
    check(text && *text == a.at(1).text,
          QStringLiteral("file %1 is %2, expected %3")
              .arg(a.at(0).text, text ? quote(*text) : QStringLiteral("missing"), quote(a.at(1).text)));
}

void ScriptRunner::cmdExpectNoFile(const Args &a)
{
    const auto text = fileText(a.at(0));
    check(!text, QStringLiteral("file %1 exists, expected none").arg(a.at(0).text));
}

void ScriptRunner::cmdExpectStore(const Args &a)
{
    const QString &key = a.at(0).text;
    const std::optional<QString> value = m_session->stored(key);
    const QString shown = value ? quote(*value) : QStringLiteral("missing");
    if (a.size() == 1)
        check(!value, QStringLiteral("store %1 is %2, expected missing").arg(key, shown));
    else
        check(value && *value == a.at(1).text,
              QStringLiteral("store %1 is %2, expected %3").arg(key, shown, quote(a.at(1).text)));
}

void ScriptRunner::cmdExpectAsked(const Args &a)
{
    const qint64 want = integer(a.at(0), 0, 1000000, "the count");
    const int shown = m_session->dialogs.asked() - m_session->askedCounted;
    m_session->askedCounted = m_session->dialogs.asked();
    check(shown == want, QStringLiteral("%1 dialog(s) shown, expected %2").arg(shown).arg(want));
}

void ScriptRunner::cmdExpectAsk(const Args &a)
{
    // The last dialog line, without its "ask: " prefix, as printed.
    const QStringList &lines = m_session->dialogs.lines();
    const QString last = lines.isEmpty() ? QString() : lines.last().mid(5);
    check(last == a.at(0).text, QStringLiteral("last dialog %1, expected %2").arg(quote(last), quote(a.at(0).text)));
}

void ScriptRunner::cmdExpectDesktop(const Args &a)
{
    QStringList want;
    for (const Word &w : a)
        want.append(w.text);
    const QStringList got = m_session->desktop.takeLines();
    const auto shown = [](const QStringList &lines) {
        QStringList quoted;
        for (const QString &l : lines)
            quoted.append(quote(l));
        return lines.isEmpty() ? QStringLiteral("nothing") : quoted.join(QLatin1Char(' '));
    };
    check(got == want, QStringLiteral("the desktop was asked for %1, expected %2").arg(shown(got), shown(want)));
}

void ScriptRunner::cmdPrint(const Args &a)
{
    const Word &what = a.at(0);
    if (!what.quoted && what.text == QLatin1String("store")) {
        if (a.size() != 2)
            error(QStringLiteral("usage: print store KEY"));
        const auto value = m_session->stored(a.at(1).text);
        emitLine(QStringLiteral("store %1 = %2").arg(a.at(1).text, value ? quote(*value) : QStringLiteral("missing")));
        return;
    }
    if (!what.quoted && what.text == QLatin1String("file")) {
        if (a.size() != 2)
            error(QStringLiteral("usage: print file NAME"));
        const auto text = fileText(a.at(1));
        emitLine(QStringLiteral("file %1 = %2").arg(a.at(1).text, text ? quote(*text) : QStringLiteral("missing")));
        return;
    }
    if (!what.quoted && what.text == QLatin1String("printer")) {
        if (a.size() != 1)
            error(QStringLiteral("usage: print printer"));
        for (const QString &line : m_session->printer.takeLines())
            emitLine(line);
        return;
    }
    if (!what.quoted && what.text == QLatin1String("desktop")) {
        if (a.size() != 1)
            error(QStringLiteral("usage: print desktop"));
        for (const QString &line : m_session->desktop.takeLines())
            emitLine(line);
        return;
    }
    if (!what.quoted && what.text == QLatin1String("sequence")) {
        if (a.size() != 1)
            error(QStringLiteral("usage: print sequence"));
        requireStarted("print sequence");
        // The print sequence is kept in the hidden list Lise1 of Start1; it
        // is read through its properties, whatever list class holds it.
        const Control *list = form(QStringLiteral("Start1")).control(QStringLiteral("Lise1"));
        if (!list || !list->has(QStringLiteral("listCount")))
            notAvailable(QStringLiteral("Start1 has no print sequence list Lise1"));
        const qint64 count = list->get(QStringLiteral("listCount")).toLongLong();
        for (qint64 i = 0; i < count; ++i)
            emitLine(quote(list->get(QStringLiteral("list(%1)").arg(i)).toString()));
        return;
    }
    if (a.size() != 1)
        error(QStringLiteral("usage: print CONTROL.PROPERTY"));
    requireStarted("print");
    const PropertyRef ref = property(what);
    emitLine(QStringLiteral("%1 = %2").arg(ref.written, formatValue(read(ref)).value_or(QStringLiteral("?"))));
}

} // namespace numora::script
