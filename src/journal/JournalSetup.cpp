#include "JournalSetup.h"
#include "platform/SettingsStore.h"

#include <QSysInfo>

namespace numora {

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
    if (!s.journal->server().isEmpty())
        s.local = std::make_unique<SqlJournal>(localPath);
    return s;
}

} // namespace numora
