#include "QtSettingsStore.h"

#include <QSettings>
#include <map>

namespace numora {

struct QtSettingsStore::Files
{
    std::map<QString, std::unique_ptr<QSettings>> byApp;
};

QtSettingsStore::QtSettingsStore(QString folder)
    : m_folder(std::move(folder))
    , m_files(std::make_unique<Files>())
{
}

QtSettingsStore::~QtSettingsStore() = default;

QSettings &QtSettingsStore::settingsFor(const QString &app)
{
    auto &s = m_files->byApp[app];
    if (!s) {
        if (m_folder.isEmpty())
            s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
        else
            s = std::make_unique<QSettings>(m_folder + QLatin1Char('/') + app + QStringLiteral(".ini"), QSettings::IniFormat);
    }
    return *s;
}

QString QtSettingsStore::fileName(const QString &app)
{
    return settingsFor(app).fileName();
}

static QString fullKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

QString QtSettingsStore::getSetting(const QString &app, const QString &section, const QString &key)
{
    return settingsFor(app).value(fullKey(section, key)).toString();
}

void QtSettingsStore::saveSetting(const QString &app, const QString &section, const QString &key, const QString &value)
{
    QSettings &s = settingsFor(app);
    s.setValue(fullKey(section, key), value);
    // Each entry reaches the disk at once: a run that ends abruptly keeps
    // what was saved before it.
    s.sync();
}

bool QtSettingsStore::contains(const QString &app, const QString &section, const QString &key)
{
    return settingsFor(app).contains(fullKey(section, key));
}

} // namespace numora
