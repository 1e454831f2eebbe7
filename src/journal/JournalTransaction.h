#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace numora {

// A query of the journal that reports its failure in words.
struct JournalQuery
{
    QSqlQuery q;
    QString *error;
    JournalQuery(const QSqlDatabase &db, QString *e)
        : q(db)
        , error(e)
    {}
    bool run(const QString &sql, const QVariantList &values = {});
    bool fail();
};

// A write transaction that no other writer of the journal, on any
// workstation, runs beside. Rolled back when it goes out of scope
// uncommitted, so that no path leaves the journal half written or locked.
class JournalTransaction
{
public:
    // `shared`: the journal is a PostgreSQL database the workstations share.
    JournalTransaction(QSqlDatabase db, bool shared)
        : m_db(std::move(db))
        , m_shared(shared)
    {}
    ~JournalTransaction() { rollback(); }
    JournalTransaction(const JournalTransaction &) = delete;
    JournalTransaction &operator=(const JournalTransaction &) = delete;

    bool begin(QString *error);
    // Rolled back when the commit fails.
    bool commit(QString *error);
    void rollback();

private:
    QSqlDatabase m_db;
    bool m_shared;
    bool m_begun = false;
};

} // namespace numora
