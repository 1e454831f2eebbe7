#include "JournalSetup.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QSysInfo>

namespace numora {

QStringList JournalSetup::localFiles() const
{
    QStringList files;
    for (const SqlJournal *j : {journal.get(), local.get()})
        if (j && j->server().isEmpty() && j->urlProblem().isEmpty())
            files << j->location();
    return files;
}

JournalSetup setUpJournal(SettingsStore &settings, const QString &urlGiven, const QString &localPath)
{
    JournalSetup s;
    const QString app = JournalSetup::settingsApp(), section = JournalSetup::settingsSection();
    const QString url = !urlGiven.trimmed().isEmpty()
                            ? urlGiven.trimmed()
                            : settings.getSetting(app, section, QStringLiteral("url")).trimmed();
    s.workstation = settings.getSetting(app, section, QStringLiteral("workstation")).trimmed();
    if (s.workstation.isEmpty())
        s.workstation = QSysInfo::machineHostName();
    // A setting that is there but says nothing usable is not taken as no
    // setting: printing into this machine's journal instead would let two
    // workstations print the same numbers.
    if (url.isEmpty() && settings.contains(app, section, QStringLiteral("url"))) {
        s.journal = SqlJournal::fromUrl(url);
        return s;
    }
    if (url.isEmpty()) {
        s.journal = std::make_unique<SqlJournal>(localPath);
        return s;
    }
    s.journal = SqlJournal::fromUrl(url);
    if (urlGiven.trimmed().isEmpty() && s.journal->hasPassword()) {
        const QString file = settings.fileName(app);
        if (!file.isEmpty() && (QFileInfo(file).permissions() & (QFile::ReadGroup | QFile::ReadOther)))
            s.warning = QStringLiteral("%1 holds the shared journal's password and other users of this computer can "
                                       "read it: make it readable by you alone (chmod 600 %1), or keep the password "
                                       "in ~/.pgpass and leave it out of the URL.")
                            .arg(file);
    }
    if (!s.journal->server().isEmpty())
        s.local = std::make_unique<SqlJournal>(localPath);
    return s;
}

} // namespace numora
