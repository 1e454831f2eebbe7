#pragma once
#include <QMap>
#include <QString>

namespace numora {

// The per-user key/value store of the last run, addressed by application,
// section and key. A missing key reads as the empty text.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString getSetting(const QString &app, const QString &section, const QString &key) = 0;
    virtual void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) = 0;
    virtual bool contains(const QString &app, const QString &section, const QString &key) = 0;
};

class MemorySettingsStore : public SettingsStore
{
public:
    QString getSetting(const QString &app, const QString &section, const QString &key) override
    {
        return m_values.value(path(app, section, key));
    }
    void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) override
    {
        m_values.insert(path(app, section, key), value);
    }
    bool contains(const QString &app, const QString &section, const QString &key) override
    {
        return m_values.contains(path(app, section, key));
    }
    void remove(const QString &app, const QString &section, const QString &key)
    {
        m_values.remove(path(app, section, key));
    }

private:
    static QString path(const QString &a, const QString &s, const QString &k)
    {
        return a + QLatin1Char('/') + s + QLatin1Char('/') + k;
    }
    QMap<QString, QString> m_values;
};

} // namespace numora
