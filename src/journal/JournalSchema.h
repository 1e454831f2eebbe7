#pragma once
#include <QSqlDatabase>
#include <QString>

namespace numora::JournalSchema {

// The schema carries its version, so that a later program can migrate it.
constexpr int Version = 5;

// Makes the journal's tables in a new database, or brings an older schema up
// to Version; false with the reason (a newer program's journal is refused).
// `shared`: a PostgreSQL database the workstations share.
bool prepare(const QSqlDatabase &db, bool shared, QString *error);

} // namespace numora::JournalSchema
