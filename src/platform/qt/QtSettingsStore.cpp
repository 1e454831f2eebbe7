#include "QtSettingsStore.h"

#include <QSettings>

namespace numora {

static QString fullKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

QString QtSettingsStore::getSetting(const QString &app, const QString &section, const QString &key)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app, app);
    return s.value(fullKey(section, key)).toString();
}

void QtSettingsStore::saveSetting(const QString &app, const QString &section, const QString &key, const QString &value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app, app);
    s.setValue(fullKey(section, key), value);
}

bool QtSettingsStore::contains(const QString &app, const QString &section, const QString &key)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app, app);
    return s.contains(fullKey(section, key));
}

} // namespace numora
