#pragma once
#include "Journal.h"

namespace numora {

// The journal in an SQL database through Qt SQL: a SQLite file in the data
// folder for one machine. The schema carries its version, so that a later
// program can migrate it.
class SqlJournal : public Journal
{
public:
    // A SQLite file.
    explicit SqlJournal(QString filePath);
    ~SqlJournal() override;
    SqlJournal(const SqlJournal &) = delete;
    SqlJournal &operator=(const SqlJournal &) = delete;

    static constexpr int SchemaVersion = 1;

    QString location() const override { return m_path; }
    bool open(QString *error, QString *keptAside = nullptr) override;
    std::optional<qint64> beginRun(const JournalRun &run, QString *error) override;
    bool endRun(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                QString *error) override;
    std::optional<std::vector<JournalDuplicate>> duplicates(const std::vector<NumberRange> &ranges,
                                                            QString *error) override;
    std::optional<std::vector<JournalRun>> runs(const QString &layoutName, QString *error) override;
    std::optional<JournalRun> run(qint64 id, QString *error) override;
    std::optional<std::vector<JournalHit>> find(const QString &numberText, QString *error) override;

private:
    bool openDatabase(QString *error);
    bool createSchema(QString *error);
    void close();
    bool ensureOpen(QString *error);

    QString m_path;
    QString m_connection; // this journal's own Qt SQL connection name
    bool m_open = false;
};

} // namespace numora
