#pragma once
#include "platform/SettingsStore.h"

#include <QString>
#include <memory>

class QSettings;

namespace numora {

// The settings store as INI files in the per-user configuration folder, one
// file per application, one group per section. QSettings replaces the file
// through a temporary file and a rename (QSaveFile), so the file on disk is
// always one whole write: the one before a crash or the one after it.
class QtSettingsStore : public SettingsStore
{
public:
    // folder: where the INI files live; empty for the per-user configuration
    // folder of the platform.
    explicit QtSettingsStore(QString folder = {});
    ~QtSettingsStore() override;

    QString getSetting(const QString &app, const QString &section, const QString &key) override;
    void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) override;
    bool contains(const QString &app, const QString &section, const QString &key) override;
    // The file that holds an application's entries.
    QString fileName(const QString &app) override;
    void reload() override;

protected:
    bool commit() override;

private:
    QSettings &settingsFor(const QString &app);
    QString m_folder;
    struct Files;
    std::unique_ptr<Files> m_files;
};

} // namespace numora
