#pragma once
#include <QString>

namespace numora {

// The per-user key/value store of the last run, addressed by application,
// section and key. A missing key reads as the empty text.
//
// A write outside a batch reaches the store at once. Writes between
// beginBatch() and the matching endBatch() reach it together: a run that ends
// abruptly in between leaves the store as it was before the batch, never
// half of it. Batches nest; only the outermost end writes.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString getSetting(const QString &app, const QString &section, const QString &key) = 0;
    virtual void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) = 0;
    virtual bool contains(const QString &app, const QString &section, const QString &key) = 0;

    void beginBatch() { ++m_batchDepth; }
    // False when the outermost end could not write the batch: the values stay
    // readable in this run and the next write tries them again.
    bool endBatch()
    {
        if (m_batchDepth == 0 || --m_batchDepth > 0)
            return true;
        return commit();
    }
    bool inBatch() const { return m_batchDepth > 0; }
    // Reads again what another program may have written since this one
    // read the store; entries saved but not yet written stay as saved.
    virtual void reload() {}
    // Where an application's entries are kept, for messages; empty when the
    // store has no file.
    virtual QString fileName(const QString &) { return QString(); }

protected:
    // Writes what was saved since the last commit.
    virtual bool commit() = 0;

private:
    int m_batchDepth = 0;
};

// A batch for a scope: ends it when left without commit(), as on an early
// return.
class SettingsBatch
{
public:
    explicit SettingsBatch(SettingsStore &store)
        : m_store(store)
    {
        m_store.beginBatch();
    }
    ~SettingsBatch()
    {
        if (!m_ended)
            m_store.endBatch();
    }
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;
    bool commit()
    {
        if (m_ended)
            return true;
        m_ended = true;
        return m_store.endBatch();
    }

private:
    SettingsStore &m_store;
    bool m_ended = false;
};

} // namespace numora
