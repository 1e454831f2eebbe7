#include "SqlJournal.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <map>

namespace numora {

namespace {

QString newConnectionName()
{
    static QAtomicInteger<quint64> next;
    return QStringLiteral("numora-journal-%1").arg(++next);
}

QString timeText(const QDateTime &t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime timeFrom(const QVariant &v)
{
    QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
    t.setTimeSpec(Qt::UTC);
    return t.toLocalTime();
}

// A query that reports its failure in words.
struct Query
{
    QSqlQuery q;
    QString *error;
    explicit Query(const QSqlDatabase &db, QString *e) : q(db), error(e) {}
    bool run(const QString &sql, const QVariantList &values = {})
    {
        if (!q.prepare(sql))
            return fail();
        // A null text would be stored as NULL: texts are never missing here.
        for (const QVariant &v : values)
            q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
        return q.exec() || fail();
    }
    bool fail()
    {
        if (error)
            *error = q.lastError().text().trimmed();
        return false;
    }
};

bool looksDamaged(const QSqlError &e)
{
    const QString t = e.text().toLower();
    return t.contains(QLatin1String("not a database")) || t.contains(QLatin1String("malformed"))
           || t.contains(QLatin1String("corrupt"));
}

NumberRange rangeFrom(const QSqlQuery &q, int at)
{
    NumberRange r;
    r.position = q.value(at).toInt();
    r.prefix = q.value(at + 1).toString();
    r.suffix = q.value(at + 2).toString();
    r.digits = q.value(at + 3).toInt();
    r.first = q.value(at + 4).toLongLong();
    r.last = q.value(at + 5).toLongLong();
    r.step = q.value(at + 6).toLongLong();
    r.firstPage = q.value(at + 7).toLongLong();
    r.pageStride = q.value(at + 8).toLongLong();
    return r;
}
const QString RangeColumns = QStringLiteral(
    "g.position, g.prefix, g.suffix, g.digits, g.first, g.last, g.step, g.first_page, g.page_stride");

const QString RunColumns = QStringLiteral(
    "u.id, u.started, u.finished, u.layout, u.grid_type, u.print_order, u.printer, u.pages_requested, "
    "u.pages_printed, u.two_pages, u.outcome, u.reason, u.reprint_of, u.reprint_from, u.reprint_to, "
    "u.workstation");

JournalRun runFrom(const QSqlQuery &q)
{
    JournalRun r;
    r.id = q.value(0).toLongLong();
    r.started = timeFrom(q.value(1));
    r.finished = timeFrom(q.value(2));
    r.layoutName = q.value(3).toString();
    r.gridType = q.value(4).toString();
    r.printOrder = q.value(5).toString();
    r.printer = q.value(6).toString();
    r.pagesRequested = q.value(7).toLongLong();
    r.pagesPrinted = q.value(8).toLongLong();
    r.twoPages = q.value(9).toInt() != 0;
    r.outcome = JournalRun::outcomeFrom(q.value(10).toString()).value_or(JournalRun::Outcome::Printing);
    r.reason = q.value(11).toString();
    r.reprintOf = q.value(12).toLongLong();
    r.reprintFrom = q.value(13).toLongLong();
    r.reprintTo = q.value(14).toLongLong();
    r.workstation = q.value(15).toString();
    return r;
}

} // namespace

QString JournalRun::outcomeName(Outcome o)
{
    switch (o) {
    case Outcome::Printing: return QStringLiteral("printing");
    case Outcome::Printed: return QStringLiteral("printed");
    case Outcome::Failed: return QStringLiteral("failed");
    case Outcome::Stopped: return QStringLiteral("stopped");
    }
    return {};
}

std::optional<JournalRun::Outcome> JournalRun::outcomeFrom(const QString &name)
{
    for (Outcome o : {Outcome::Printing, Outcome::Printed, Outcome::Failed, Outcome::Stopped})
        if (outcomeName(o) == name)
            return o;
    return std::nullopt;
}

SqlJournal::SqlJournal(QString filePath)
    : m_path(std::move(filePath))
    , m_connection(newConnectionName())
{
}

SqlJournal::~SqlJournal()
{
    close();
}

void SqlJournal::close()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

bool SqlJournal::openDatabase(QString *error)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        if (error)
            *error = QStringLiteral("Qt's SQLite driver is not installed (package libqt6sql6-sqlite)");
        return false;
    }
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("the folder %1 cannot be created").arg(info.absolutePath());
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    // Another program holding the journal for a moment is waited for.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db.open()) {
        if (error)
            *error = db.lastError().text().trimmed();
        return false;
    }
    return true;
}

bool SqlJournal::open(QString *error, QString *keptAside)
{
    if (m_open)
        return true;
    close();
    if (!openDatabase(error))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery probe(db);
    // Reading the schema is the first real read: a file that is no SQLite
    // database (or a damaged one) fails here, not at open.
    bool damaged = !probe.exec(QStringLiteral("PRAGMA quick_check")) && looksDamaged(probe.lastError());
    if (!damaged && probe.isActive() && probe.next() && probe.value(0).toString() != QLatin1String("ok"))
        damaged = true;
    if (!damaged && !probe.isActive()) {
        if (error)
            *error = probe.lastError().text().trimmed();
        probe = QSqlQuery();
        close();
        return false;
    }
    probe = QSqlQuery();
    if (damaged) {
        // Never written over: it may be all the shop has of its history.
        close();
        const QString aside = m_path + QStringLiteral(".damaged-")
                              + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (!QFile::rename(m_path, aside)) {
            if (error)
                *error = QStringLiteral("the journal is damaged and cannot be moved aside to %1").arg(aside);
            return false;
        }
        if (keptAside)
            *keptAside = aside;
        if (!openDatabase(error))
            return false;
    }
    if (!createSchema(error)) {
        close();
        return false;
    }
    m_open = true;
    return true;
}

bool SqlJournal::ensureOpen(QString *error)
{
    return m_open || open(error);
}

bool SqlJournal::createSchema(QString *error)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Query q(db, error);
    if (!q.run(QStringLiteral("CREATE TABLE IF NOT EXISTS journal_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)")))
        return false;
    if (!q.run(QStringLiteral("SELECT value FROM journal_meta WHERE key = 'schema_version'")))
        return false;
    if (q.q.next()) {
        const int version = q.q.value(0).toInt();
        if (version > SchemaVersion) {
            if (error)
                *error = QStringLiteral("the journal was written by a newer program (schema %1)").arg(version);
            return false;
        }
        return true;
    }
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text().trimmed();
        return false;
    }
    const bool made =
        q.run(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS runs ("
            " id INTEGER PRIMARY KEY AUTOINCREMENT, started TEXT NOT NULL, finished TEXT,"
            " layout TEXT NOT NULL, grid_type TEXT NOT NULL, print_order TEXT NOT NULL, printer TEXT NOT NULL,"
            " pages_requested INTEGER NOT NULL, pages_printed INTEGER NOT NULL, two_pages INTEGER NOT NULL,"
            " outcome TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '', reprint_of INTEGER NOT NULL DEFAULT 0,"
            " reprint_from INTEGER NOT NULL DEFAULT 0, reprint_to INTEGER NOT NULL DEFAULT 0,"
            " workstation TEXT NOT NULL DEFAULT '', layout_lines TEXT NOT NULL, range_count INTEGER NOT NULL)"))
        && q.run(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS ranges ("
            " run_id INTEGER NOT NULL REFERENCES runs(id), position INTEGER NOT NULL, pattern TEXT NOT NULL,"
            " prefix TEXT NOT NULL, suffix TEXT NOT NULL, digits INTEGER NOT NULL,"
            " first INTEGER NOT NULL, last INTEGER NOT NULL, step INTEGER NOT NULL,"
            " lo INTEGER NOT NULL, hi INTEGER NOT NULL, first_page INTEGER NOT NULL, page_stride INTEGER NOT NULL)"))
        // Runs go on from where the last one ended: looking up from the top
        // of each range finds the few that reach a new run's numbers.
        && q.run(QStringLiteral("CREATE INDEX IF NOT EXISTS ranges_by_number ON ranges (pattern, hi, lo)"))
        && q.run(QStringLiteral("CREATE INDEX IF NOT EXISTS ranges_by_run ON ranges (run_id)"))
        && q.run(QStringLiteral("INSERT INTO journal_meta (key, value) VALUES ('schema_version', ?)"),
                 {QString::number(SchemaVersion)});
    if (!made) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        if (error)
            *error = db.lastError().text().trimmed();
        db.rollback();
        return false;
    }
    return true;
}

std::optional<qint64> SqlJournal::beginRun(const JournalRun &run, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text().trimmed();
        return std::nullopt;
    }
    Query q(db, error);
    const QString lines = QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(run.layoutLines)).toJson(QJsonDocument::Compact));
    bool ok = q.run(QStringLiteral("INSERT INTO runs (started, finished, layout, grid_type, print_order, printer,"
                                   " pages_requested, pages_printed, two_pages, outcome, reason, reprint_of,"
                                   " reprint_from, reprint_to, workstation, layout_lines, range_count)"
                                   " VALUES (?, NULL, ?, ?, ?, ?, ?, 0, ?, ?, '', ?, ?, ?, ?, ?, ?)"),
                    {timeText(run.started), run.layoutName, run.gridType, run.printOrder, run.printer,
                     run.pagesRequested, run.twoPages ? 1 : 0, JournalRun::outcomeName(JournalRun::Outcome::Printing),
                     run.reprintOf, run.reprintFrom, run.reprintTo, run.workstation, lines,
                     qint64(run.ranges.size())});
    const qint64 id = ok ? q.q.lastInsertId().toLongLong() : 0;
    for (const NumberRange &r : run.ranges) {
        if (!ok)
            break;
        ok = q.run(QStringLiteral("INSERT INTO ranges (run_id, position, pattern, prefix, suffix, digits, first, last,"
                                  " step, lo, hi, first_page, page_stride) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {id, r.position, r.pattern(), r.prefix, r.suffix, r.digits, r.first, r.last, r.step,
                    std::min(r.first, r.last), std::max(r.first, r.last), r.firstPage, r.pageStride});
    }
    if (!ok || !db.commit()) {
        if (ok && error)
            *error = db.lastError().text().trimmed();
        db.rollback();
        return std::nullopt;
    }
    return id;
}

bool SqlJournal::endRun(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                        QString *error)
{
    if (!ensureOpen(error))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Query q(db, error);
    return q.run(QStringLiteral("UPDATE runs SET finished = ?, outcome = ?, pages_printed = ?, reason = ? WHERE id = ?"),
                 {timeText(QDateTime::currentDateTimeUtc()), JournalRun::outcomeName(outcome), pagesPrinted, reason, id});
}

std::optional<std::vector<JournalDuplicate>> SqlJournal::duplicates(const std::vector<NumberRange> &ranges,
                                                                    QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // One look-up per pattern over the span of its ranges; the arithmetic
    // of steps is left to commonNumbers.
    std::map<QString, std::pair<qint64, qint64>> spans;
    for (const NumberRange &r : ranges) {
        if (r.digits == 0)
            continue;
        const qint64 lo = std::min(r.first, r.last), hi = std::max(r.first, r.last);
        auto [it, fresh] = spans.try_emplace(r.pattern(), lo, hi);
        if (!fresh) {
            it->second.first = std::min(it->second.first, lo);
            it->second.second = std::max(it->second.second, hi);
        }
    }
    std::vector<JournalDuplicate> found;
    Query q(db, error);
    for (const auto &[pattern, span] : spans) {
        if (!q.run(QStringLiteral("SELECT ") + RangeColumns
                       + QStringLiteral(", u.id, u.started, u.layout, u.outcome FROM ranges g JOIN runs u ON u.id = g.run_id"
                                        " WHERE g.pattern = ? AND g.hi >= ? AND g.lo <= ? AND u.reprint_of = 0"
                                        " AND u.outcome IN ('printed', 'printing') ORDER BY u.id"),
                   {pattern, span.first, span.second}))
            return std::nullopt;
        while (q.q.next()) {
            const NumberRange earlier = rangeFrom(q.q, 0);
            for (const NumberRange &r : ranges) {
                if (r.pattern() != pattern)
                    continue;
                if (auto common = commonNumbers(r, earlier)) {
                    common->position = r.position;
                    found.push_back({*common, q.q.value(9).toLongLong(), timeFrom(q.q.value(10)), q.q.value(11).toString(),
                                     q.q.value(12).toString() == QLatin1String("printing")});
                }
            }
        }
    }
    return found;
}

std::optional<std::vector<JournalRun>> SqlJournal::runs(const QString &layoutName, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Query q(db, error);
    const QString where = layoutName.isEmpty() ? QString() : QStringLiteral(" WHERE u.layout = ?");
    if (!q.run(QStringLiteral("SELECT ") + RunColumns + QStringLiteral(" FROM runs u") + where
                   + QStringLiteral(" ORDER BY u.id DESC"),
               layoutName.isEmpty() ? QVariantList{} : QVariantList{layoutName}))
        return std::nullopt;
    std::vector<JournalRun> out;
    std::map<qint64, std::size_t> byId;
    while (q.q.next()) {
        byId[q.q.value(0).toLongLong()] = out.size();
        out.push_back(runFrom(q.q));
    }
    // The ranges give each run its first and last numbers.
    Query g(db, error);
    if (!g.run(QStringLiteral("SELECT g.run_id, ") + RangeColumns + QStringLiteral(" FROM ranges g")
                   + (layoutName.isEmpty() ? QString() : QStringLiteral(" JOIN runs u ON u.id = g.run_id WHERE u.layout = ?"))
                   + QStringLiteral(" ORDER BY g.run_id, g.rowid"),
               layoutName.isEmpty() ? QVariantList{} : QVariantList{layoutName}))
        return std::nullopt;
    while (g.q.next()) {
        const auto it = byId.find(g.q.value(0).toLongLong());
        if (it != byId.end())
            out[it->second].ranges.push_back(rangeFrom(g.q, 1));
    }
    return out;
}

std::optional<JournalRun> SqlJournal::run(qint64 id, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Query q(db, error);
    if (!q.run(QStringLiteral("SELECT ") + RunColumns + QStringLiteral(", u.layout_lines FROM runs u WHERE u.id = ?"), {id}))
        return std::nullopt;
    if (!q.q.next()) {
        if (error)
            *error = QStringLiteral("the journal has no run %1").arg(id);
        return std::nullopt;
    }
    JournalRun r = runFrom(q.q);
    for (const QJsonValue &v : QJsonDocument::fromJson(q.q.value(16).toString().toUtf8()).array())
        r.layoutLines.append(v.toString());
    if (!q.run(QStringLiteral("SELECT ") + RangeColumns + QStringLiteral(" FROM ranges g WHERE g.run_id = ? ORDER BY g.rowid"), {id}))
        return std::nullopt;
    while (q.q.next())
        r.ranges.push_back(rangeFrom(q.q, 0));
    return r;
}

std::optional<std::vector<JournalHit>> SqlJournal::find(const QString &numberText, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    std::vector<JournalHit> hits;
    const auto t = NumberText::split(numberText.trimmed());
    if (!t || t->digits == 0)
        return hits;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Query q(db, error);
    if (!q.run(QStringLiteral("SELECT ") + RangeColumns
                   + QStringLiteral(", u.id, u.started, u.layout, u.reprint_of FROM ranges g JOIN runs u ON u.id = g.run_id"
                                    " WHERE g.pattern = ? AND g.hi >= ? AND g.lo <= ? ORDER BY u.id, g.position"),
               {t->pattern(), t->value, t->value}))
        return std::nullopt;
    while (q.q.next()) {
        const NumberRange r = rangeFrom(q.q, 0);
        if (const auto page = r.pageOf(t->value))
            hits.push_back({q.q.value(9).toLongLong(), timeFrom(q.q.value(10)), q.q.value(11).toString(), *page,
                            r.position, q.q.value(12).toLongLong() != 0});
    }
    return hits;
}

} // namespace numora
