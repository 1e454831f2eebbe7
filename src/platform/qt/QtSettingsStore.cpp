#include "QtSettingsStore.h"
#include "platform/Logging.h"

#include <QFile>
#include <QSettings>
#include <map>

namespace numora {

struct QtSettingsStore::Files
{
    std::map<QString, std::unique_ptr<QSettings>> byApp;
    // Entries saved but not yet written, by application and full key. They
    // are kept apart from QSettings until the write: QSettings also writes
    // by itself when the event loop runs (a dialog during a batch), which
    // would put half a batch on disk.
    std::map<QString, std::map<QString, QString>> pending;
};

QtSettingsStore::QtSettingsStore(QString folder)
    : m_folder(std::move(folder))
    , m_files(std::make_unique<Files>())
{}

QtSettingsStore::~QtSettingsStore()
{
    // A batch left open (an exception on the way) is not written: the file
    // keeps the last whole session.
}

QSettings &QtSettingsStore::settingsFor(const QString &app)
{
    auto &s = m_files->byApp[app];
    if (!s) {
        if (m_folder.isEmpty())
            s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
        else
            s = std::make_unique<QSettings>(m_folder + QLatin1Char('/') + app + QStringLiteral(".ini"),
                                            QSettings::IniFormat);
        // Never write in place, even where the folder forbids the temporary
        // file: a failed write must leave the old file whole.
        s->setAtomicSyncRequired(true);
    }
    return *s;
}

QString QtSettingsStore::fileName(const QString &app) { return settingsFor(app).fileName(); }

void QtSettingsStore::reload()
{
    // QSettings holds nothing unwritten (pending entries are kept apart), so
    // its sync only reads the file anew.
    for (auto &[app, settings] : m_files->byApp)
        settings->sync();
}

// The text after "key=" in the section of an INI file, as it stands there.
static QString rawValue(const QString &file, const QString &section, const QString &key)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    bool inSection = false;
    for (const QByteArray &bytes : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inSection = line.mid(1, line.size() - 2).trimmed() == section;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inSection && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

static QString fullKey(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }

QString QtSettingsStore::getSetting(const QString &app, const QString &section, const QString &key)
{
    const QString k = fullKey(section, key);
    if (const auto p = m_files->pending.find(app); p != m_files->pending.end())
        if (const auto v = p->second.find(k); v != p->second.end())
            return v->second;
    const QVariant v = settingsFor(app).value(k);
    // QSettings reads an unquoted value with commas as a list; a setting is
    // one text (a password may hold a comma), so it comes back as written.
    if (v.typeId() == QMetaType::QStringList)
        return rawValue(settingsFor(app).fileName(), section, key);
    return v.toString();
}

void QtSettingsStore::saveSetting(const QString &app, const QString &section, const QString &key, const QString &value)
{
    m_files->pending[app][fullKey(section, key)] = value;
    // Outside a batch each entry reaches the disk at once: a run that ends
    // abruptly keeps what was saved before it.
    if (!inBatch())
        commit();
}

bool QtSettingsStore::contains(const QString &app, const QString &section, const QString &key)
{
    const QString k = fullKey(section, key);
    if (const auto p = m_files->pending.find(app); p != m_files->pending.end() && p->second.count(k))
        return true;
    return settingsFor(app).contains(k);
}

bool QtSettingsStore::commit()
{
    bool ok = true;
    auto pending = std::move(m_files->pending);
    m_files->pending.clear();
    for (auto &[app, entries] : pending) {
        if (entries.empty())
            continue;
        QSettings &s = settingsFor(app);
        for (const auto &[k, v] : entries)
            s.setValue(k, v);
        s.sync();
        if (s.status() == QSettings::AccessError) {
            qCInfo(lcSettings) << "cannot write" << s.fileName();
            ok = false;
            // QSettings keeps an error once reported; a fresh one lets the
            // next write report its own outcome. The entries stay pending so
            // that this run still reads them and the next write retries them.
            m_files->byApp.erase(app);
            m_files->pending[app] = std::move(entries);
        }
    }
    return ok;
}

} // namespace numora
