#pragma once
#include "ScriptSession.h"
#include "ScriptText.h"

#include <QHash>
#include <functional>
#include <memory>

namespace numora::script {

// Runs form scripts: one command a line, against a fresh session per script.
// Checks are counted over every script run; a script that cannot go on (an
// unknown command or control, a malformed line, an unanswered dialog) is
// reported with its file and line and stops there.
class ScriptRunner
{
public:
    using Output = std::function<void(const QString &line)>;
    explicit ScriptRunner(Output out);
    ~ScriptRunner();

    // Runs one script. False when it could not run to its end or a check
    // failed in it.
    bool runFile(const QString &path);
    // The same for a script held in memory; `name` stands for the file.
    bool runText(const QString &name, const QByteArray &utf8);

    int passed() const { return m_passed; }
    int failed() const { return m_failed; }
    int errors() const { return m_errors; }
    bool allHeld() const { return m_failed == 0 && m_errors == 0; }
    QString summary() const;

private:
    using Args = QList<Word>;
    using Handler = void (ScriptRunner::*)(const Args &);
    struct Command
    {
        Handler handler;
        int minArgs;
        int maxArgs; // -1: any number
        const char *usage;
    };
    static const QHash<QString, Command> &commands();

    // A property of a control, or a window's own state when `control` is null.
    struct PropertyRef
    {
        Form *form = nullptr;
        Control *control = nullptr;
        QString property;
        QString written; // as the script wrote it
    };

    void execute(const Args &words);

    // Reporting.
    void emitLine(const QString &line) { m_out(line); }
    [[noreturn]] void error(const QString &message) const;
    [[noreturn]] void notAvailable(const QString &what) const;
    void check(bool held, const QString &failure);
    QString where() const;

    // Resolution of names.
    void requireStarted(const char *command) const;
    void requireNotStarted(const char *command) const;
    Form &form(const QString &name) const;
    bool isFormName(const QString &name) const { return findFormEntry(name) != nullptr; }
    Control &control(const Word &w) const;
    // A control the operator can act on: enabled and shown.
    Control &operable(const Word &w) const;
    // A window the operator can act on: shown and enabled.
    Form &operableForm(const QString &name) const;
    PropertyRef property(const Word &w) const;
    QVariant read(const PropertyRef &ref) const;
    template <typename T> T &controlAs(const Word &w, const char *what) const;

    // A layout file's text; nothing when the file is missing.
    std::optional<QString> fileText(const Word &name) const;
    qint64 integer(const Word &w, qint64 min, qint64 max, const char *what) const;
    double number(const Word &w, const char *what) const;
    // The script word as a value of the type the property holds now.
    QVariant valueFor(const QVariant &current, const Word &w) const;

    // Set-up.
    void cmdStore(const Args &a);
    void cmdFile(const Args &a);
    void cmdPrinters(const Args &a);
    void cmdPrinter(const Args &a);
    void cmdPaper(const Args &a);
    void cmdPrinterFails(const Args &a);
    void cmdClock(const Args &a);
    void cmdMeasure(const Args &a);
    void cmdFonts(const Args &a);
    void cmdJournal(const Args &a);
    void cmdConfig(const Args &a);
    // Running.
    void cmdStart(const Args &a);
    void cmdAdvance(const Args &a);
    void cmdSettle(const Args &a);
    // Operator actions (ScriptActions.cpp).
    void cmdType(const Args &a);
    void cmdKey(const Args &a);
    void cmdLeave(const Args &a);
    void cmdSelect(const Args &a);
    void cmdClear(const Args &a);
    void cmdPaste(const Args &a);
    void cmdChoose(const Args &a);
    void cmdClick(const Args &a);
    void cmdDblClick(const Args &a);
    void cmdScroll(const Args &a);
    void cmdMouse(const Args &a);
    void cmdUndo(const Args &a);
    void cmdRedo(const Args &a);
    void cmdClose(const Args &a);
    void cmdRestore(const Args &a);
    // Program writes and dialogs.
    void cmdSet(const Args &a);
    void cmdAnswer(const Args &a);
    // Checks and output.
    void cmdExpect(const Args &a);
    void cmdExpectFile(const Args &a);
    void cmdExpectNoFile(const Args &a);
    void cmdExpectStore(const Args &a);
    void cmdExpectAsked(const Args &a);
    void cmdExpectAsk(const Args &a);
    void cmdExpectDesktop(const Args &a);
    void cmdPrint(const Args &a);

    Output m_out;
    std::unique_ptr<ScriptSession> m_session;
    QString m_file;
    int m_line = 0;
    QString m_command;
    int m_passed = 0;
    int m_failed = 0;
    int m_errors = 0;
    bool m_fileFailed = false;
};

template <typename T> T &ScriptRunner::controlAs(const Word &w, const char *what) const
{
    Control &c = operable(w);
    T *t = dynamic_cast<T *>(&c);
    if (!t)
        error(QStringLiteral("%1 is a %2, not %3").arg(w.text, QLatin1String(c.kind()), QLatin1String(what)));
    return *t;
}

} // namespace numora::script
