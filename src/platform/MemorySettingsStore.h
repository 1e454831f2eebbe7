#pragma once
#include "SettingsStore.h"

#include <QMap>

namespace numora {

// Settings kept in memory for one run. The print command uses it so that a
// run from the command line leaves the window's last session alone; tests
// use its write count and write failures.
class MemorySettingsStore : public SettingsStore
{
public:
    // How many times the store was written: once per entry outside a batch,
    // once per outermost batch with entries.
    int writes = 0;
    // When set, every write reports a failure (the values stay readable).
    bool failWrites = false;

    QString getSetting(const QString &app, const QString &section, const QString &key) override
    {
        return m_values.value(path(app, section, key));
    }
    void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) override
    {
        m_values.insert(path(app, section, key), value);
        m_pending = true;
        if (!inBatch())
            commit();
    }
    bool contains(const QString &app, const QString &section, const QString &key) override
    {
        return m_values.contains(path(app, section, key));
    }
    void remove(const QString &app, const QString &section, const QString &key)
    {
        m_values.remove(path(app, section, key));
    }

protected:
    bool commit() override
    {
        if (!m_pending)
            return true;
        ++writes;
        if (failWrites)
            return false;
        m_pending = false;
        return true;
    }

private:
    static QString path(const QString &a, const QString &s, const QString &k)
    {
        return a + QLatin1Char('/') + s + QLatin1Char('/') + k;
    }
    QMap<QString, QString> m_values;
    bool m_pending = false;
};

} // namespace numora
