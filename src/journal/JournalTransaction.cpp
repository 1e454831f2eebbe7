#include "JournalTransaction.h"
#include "platform/Logging.h"

#include <QSqlError>

namespace numora {

namespace {
// Any one constant: the key of the lock every writer of a shared journal
// takes, so that claims are checked and recorded one after the other.
constexpr qint64 WriterLockKey = 0x4e756d6f7261LL;
} // namespace

bool JournalQuery::run(const QString &sql, const QVariantList &values)
{
    if (values.isEmpty())
        return q.exec(sql) || fail();
    if (!q.prepare(sql))
        return fail();
    // A null text would be stored as NULL: texts are never missing here.
    for (const QVariant &v : values)
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
    return q.exec() || fail();
}

bool JournalQuery::fail()
{
    if (error)
        *error = q.lastError().text().simplified();
    return false;
}

bool JournalTransaction::begin(QString *error)
{
    JournalQuery q(m_db, error);
    // SQLite: IMMEDIATE takes the file's write lock at once, so a check made
    // inside the transaction still holds when its writes commit.
    // PostgreSQL: the writers of every workstation queue on one lock, held
    // until the transaction ends; each reads what the one before committed.
    if (!m_shared)
        return m_begun = q.run(QStringLiteral("BEGIN IMMEDIATE"));
    if (!q.run(QStringLiteral("BEGIN")))
        return false;
    m_begun = true;
    if (!q.run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(WriterLockKey))) {
        rollback();
        return false;
    }
    return true;
}

bool JournalTransaction::commit(QString *error)
{
    JournalQuery q(m_db, error);
    if (!q.run(QStringLiteral("COMMIT"))) {
        rollback();
        return false;
    }
    m_begun = false;
    return true;
}

void JournalTransaction::rollback()
{
    if (!m_begun)
        return;
    m_begun = false;
    QSqlQuery q(m_db);
    // The write has failed already and says why; a rollback that fails too
    // (the connection is gone) leaves the transaction to the server.
    if (!q.exec(QStringLiteral("ROLLBACK")))
        qCInfo(lcJournal) << "rollback failed:" << q.lastError().text();
}

} // namespace numora
