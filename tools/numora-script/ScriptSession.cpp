#include "ScriptSession.h"

#include <QDir>
#include <QFile>
#include "app/AboutForm.h"
#include "layoutfiles/BrowserForm.h"
#include "platform/Windows1256.h"
#include "platform/qt/QtTextMeasure.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace numora::script {

ScriptSession::ScriptSession()
    : layouts(dir.path() + QStringLiteral("/Data"))
{
    layouts.ensureExists();
}

void ScriptSession::configure(const QString &section, const QString &key, const QString &value)
{
    settings.saveSetting(AboutForm::configApp(), section, key, value);
}

static bool plainFileName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && name != QLatin1String(".") && name != QLatin1String("..");
}

QString ScriptSession::writeFile(const QString &name, const QString &text)
{
    if (!plainFileName(name))
        return QStringLiteral("%1 is not a plain file name").arg(name);
    QString why;
    if (!layouts.write(layouts.filePath(name), toWindows1256(text), &why))
        return QStringLiteral("cannot write %1: %2").arg(name, why);
    return {};
}

std::optional<QString> ScriptSession::readFile(const QString &name, QString *problem) const
{
    if (!plainFileName(name)) {
        *problem = QStringLiteral("%1 is not a plain file name").arg(name);
        return std::nullopt;
    }
    // Layout files are a few kilobytes; a megabyte is far beyond any.
    const auto bytes = layouts.read(layouts.filePath(name), 1 << 20);
    if (!bytes)
        return std::nullopt;
    return fromWindows1256(*bytes);
}

QString ScriptSession::start()
{
    if (!dir.isValid())
        return QStringLiteral("cannot make a temporary Data folder: %1").arg(dir.errorString());
    if (fixedMeasure) {
        measure = std::make_unique<FixedTextMeasure>(fixedMeasure->first, fixedMeasure->second);
    } else {
        // Real font metrics need the GUI application (offscreen will do).
        if (!qGuiApp)
            return QStringLiteral("measuring texts needs a GUI application; use `measure W H`");
        measure = std::make_unique<QtTextMeasure>();
    }
    if (!fonts && !qGuiApp)
        return QStringLiteral("the display's fonts need a GUI application; use `fonts NAME...`");
    const std::optional<QStringList> chosen = fonts;
    if (useJournal)
        journal = std::make_unique<SqlJournal>(journalPath());
    Services services{scheduler,     *measure, dialogs,
                      settings,      clock,    [chosen] { return chosen ? *chosen : QFontDatabase::families(); },
                      layouts,       printer,  &desktop,
                      journal.get(), nullptr,  QStringLiteral("Counter 1")};
    main = std::make_unique<MainForm>(services);
    main->startUp();
    // The program shows its main window once start-up has run.
    main->setVisible(true);
    return {};
}

const std::vector<FormEntry> &formEntries()
{
    static const std::vector<FormEntry> entries{
        // Closing the main window is the exit: once it may end, it is gone.
        {QStringLiteral("Start1"), [](ScriptSession &s) -> Form * { return s.main.get(); },
         [](ScriptSession &, Form &f) { static_cast<MainForm &>(f).requestExit(); }},
        // Closing the print dialog is its Cancel, refused while a run prints.
        {QStringLiteral("Prnt1"), [](ScriptSession &s) -> Form * { return s.main ? &s.main->printForm : nullptr; },
         [](ScriptSession &, Form &f) { static_cast<PrintForm &>(f).closeRequested(); }},
        // The browser loads the first time it is used; naming it in a script
        // must not load it.
        {QStringLiteral("Save1"),
         [](ScriptSession &s) -> Form * { return s.main && s.main->browserCreated() ? &s.main->browser() : nullptr; },
         [](ScriptSession &, Form &f) { static_cast<BrowserForm &>(f).closeClicked(); }},
        // Created when it first opens; closing it hides it.
        {QStringLiteral("Jrnl1"), [](ScriptSession &s) -> Form * { return s.main ? s.main->journalForm() : nullptr; },
         [](ScriptSession &, Form &f) { static_cast<JournalForm &>(f).closeClicked(); }},
        // Loaded while it is open; closing it unloads it.
        {QStringLiteral("About1"), [](ScriptSession &s) -> Form * { return s.main ? s.main->aboutForm() : nullptr; },
         [](ScriptSession &s, Form &) { s.main->closeAbout(); }},
    };
    return entries;
}

const FormEntry *findFormEntry(const QString &name)
{
    for (const FormEntry &e : formEntries())
        if (e.name == name)
            return &e;
    return nullptr;
}

bool ScriptSession::spoilJournal(bool damaged)
{
    if (!damaged)
        return QDir().mkpath(journalPath());
    QFile f(journalPath());
    return f.open(QIODevice::WriteOnly) && f.write(QByteArray(4096, 'x')) == 4096;
}

} // namespace numora::script
