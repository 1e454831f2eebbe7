#pragma once
#include "platform/SettingsStore.h"

namespace numora {

// The settings store as an INI file in the per-user configuration folder,
// one file per application, one group per section.
class QtSettingsStore : public SettingsStore
{
public:
    QString getSetting(const QString &app, const QString &section, const QString &key) override;
    void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) override;
    bool contains(const QString &app, const QString &section, const QString &key) override;
};

} // namespace numora
