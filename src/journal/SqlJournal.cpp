#include "SqlJournal.h"
#include "JournalSchema.h"
#include "JournalTransaction.h"
#include "platform/Calibration.h"

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
#include <algorithm>
#include <map>
#include <set>

namespace numora {

namespace {

QString newConnectionName()
{
    static QAtomicInteger<quint64> next;
    return QStringLiteral("numora-journal-%1").arg(++next);
}

QString timeText(const QDateTime &t) { return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString(); }

QDateTime timeFrom(const QVariant &v)
{
    QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
    t.setTimeSpec(Qt::UTC);
    return t.toLocalTime();
}

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
const QString RangeColumns =
    QStringLiteral("g.position, g.prefix, g.suffix, g.digits, g.first, g.last, g.step, g.first_page, g.page_stride");

// The run's ranges, numbered in their order.
bool insertRanges(JournalQuery &q, qint64 runId, const std::vector<NumberRange> &ranges)
{
    int seq = 0;
    for (const NumberRange &r : ranges) {
        if (!q.run(QStringLiteral("INSERT INTO ranges (run_id, seq, position, pattern, prefix, suffix, digits, first,"
                                  " last, step, lo, hi, first_page, page_stride)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {runId, ++seq, r.position, r.pattern(), r.prefix, r.suffix, r.digits, r.first, r.last, r.step,
                    std::min(r.first, r.last), std::max(r.first, r.last), r.firstPage, r.pageStride}))
            return false;
    }
    return true;
}

// The run's jobs, in place of any an earlier try of its end left.
bool insertJobs(JournalQuery &q, qint64 runId, const std::vector<JournalJob> &jobs)
{
    if (!q.run(QStringLiteral("DELETE FROM run_jobs WHERE run_id = ?"), {runId}))
        return false;
    for (const JournalJob &j : jobs) {
        if (!q.run(QStringLiteral("INSERT INTO run_jobs (run_id, part, job_id, first_page, last_page)"
                                  " VALUES (?, ?, ?, ?, ?)"),
                   {runId, j.part, j.jobId, j.firstPage, j.lastPage}))
            return false;
    }
    return true;
}
const QString JobColumns = QStringLiteral("j.part, j.job_id, j.first_page, j.last_page");
JournalJob jobFrom(const QSqlQuery &q, int at)
{
    return {q.value(at).toInt(), q.value(at + 1).toInt(), q.value(at + 2).toLongLong(), q.value(at + 3).toLongLong()};
}

const QString RunColumns =
    QStringLiteral("u.id, u.started, u.finished, u.layout, u.grid_type, u.print_order, u.printer, u.pages_requested, "
                   "u.pages_printed, u.two_pages, u.outcome, u.reason, u.reprint_of, u.reprint_from, u.reprint_to, "
                   "u.workstation, u.check_note, u.calibration, u.rest_of, u.rest_from");

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
    r.checkNote = q.value(16).toString();
    // Runs journaled before calibrations were recorded have none.
    r.calibration = calibrationFromRecord(q.value(17).toString());
    r.restOf = q.value(18).toLongLong();
    r.restFrom = q.value(19).toLongLong();
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

qint64 JournalRun::reprintablePages() const
{
    return outcome == Outcome::Printed && reprintOf == 0 ? std::max<qint64>(0, pagesPrinted) : 0;
}

QString JournalRun::reprintRefusal(qint64 from, qint64 to) const
{
    const QString cannot = QStringLiteral("run %1 cannot be printed again: ").arg(id);
    if (reprintOf != 0)
        return QStringLiteral("run %1 is a reprint of run %2: reprint run %2").arg(id).arg(reprintOf);
    switch (outcome) {
    case Outcome::Printing:
        return cannot + QStringLiteral("it is unfinished (its workstation never said how it ended)");
    case Outcome::Failed:
        return cannot + (reason.isEmpty() ? QStringLiteral("it failed") : QStringLiteral("it failed (%1)").arg(reason));
    case Outcome::Stopped: return cannot + QStringLiteral("it was stopped");
    case Outcome::Printed: break;
    }
    const qint64 last = reprintablePages();
    if (last == 0)
        return cannot + QStringLiteral("it printed no page");
    if (from < 1 || to < from || to > last)
        return QStringLiteral("run %1 printed pages 1 to %2: pages %3 to %4 are not among them")
            .arg(id)
            .arg(last)
            .arg(from)
            .arg(to);
    return {};
}

namespace {

// Why the run itself has no rest, from how it ended alone; empty when it may.
QString ownRestRefusal(const JournalRun &run)
{
    using Outcome = JournalRun::Outcome;
    if (run.reprintOf != 0)
        return QStringLiteral("it is a reprint of run %1").arg(run.reprintOf);
    switch (run.outcome) {
    case Outcome::Printing: return QStringLiteral("it is unfinished (its workstation never said how it ended)");
    case Outcome::Printed: return QStringLiteral("it printed");
    case Outcome::Failed:
    case Outcome::Stopped: break;
    }
    if (run.pagesPrinted >= run.pagesRequested)
        return QStringLiteral("all its %1 pages went to the printer").arg(run.pagesRequested);
    return {};
}

// The runs of the family that printed, or may have printed, pages of the
// run's rest: all but the run and the runs it is the rest of, whose pages
// come before its own. A run below or beside it printed numbers of its rest.
std::vector<const JournalRun *> restPrinters(const JournalRun &run, const std::vector<JournalRun> &family)
{
    std::set<qint64> before{run.id};
    // A rest is journaled after its run: the walk up ends.
    for (qint64 up = run.restOf, below = run.id; up != 0 && up < below;) {
        before.insert(up);
        const auto it = std::find_if(family.begin(), family.end(), [up](const JournalRun &r) { return r.id == up; });
        below = up;
        up = it == family.end() ? 0 : it->restOf;
    }
    std::vector<const JournalRun *> printers;
    for (const JournalRun &r : family)
        if (!before.count(r.id)
            && (r.outcome == JournalRun::Outcome::Printing || r.outcome == JournalRun::Outcome::Printed
                || r.pagesPrinted > 0))
            printers.push_back(&r);
    return printers;
}

} // namespace

QString JournalRun::restRefusal(const std::vector<JournalRun> &family) const
{
    const QString cannot = QStringLiteral("run %1 has no rest to print: ").arg(id);
    if (const QString why = ownRestRefusal(*this); !why.isEmpty())
        return cannot + why;
    const std::vector<const JournalRun *> printers = restPrinters(*this, family);
    if (printers.empty())
        return {};
    const auto with = [&printers](Outcome o) {
        const auto it =
            std::find_if(printers.begin(), printers.end(), [o](const JournalRun *r) { return r->outcome == o; });
        return it == printers.end() ? nullptr : *it;
    };
    if (const JournalRun *unfinished = with(Outcome::Printing))
        return cannot + QStringLiteral("run %1 is printing it (unfinished)").arg(unfinished->id);
    if (const JournalRun *whole = with(Outcome::Printed))
        return cannot + QStringLiteral("run %1 printed it").arg(whole->id);
    // Cut short in its turn: what is left is the rest of the run of the
    // family whose own rest nobody printed, the last cut one first.
    const JournalRun &last = *printers.back();
    const auto free = [&family](const JournalRun &r) {
        return ownRestRefusal(r).isEmpty() && restPrinters(r, family).empty();
    };
    const JournalRun *next = free(last) ? &last : nullptr;
    for (auto it = family.begin(); !next && it != family.end(); ++it)
        if (it->id != id && free(*it))
            next = &*it;
    return cannot
           + QStringLiteral("run %1 printed it in part%2")
                 .arg(last.id)
                 .arg(next ? QStringLiteral(": print the rest of run %1").arg(next->id) : QString());
}

SqlJournal::SqlJournal(QString filePath)
    : m_path(std::move(filePath))
    , m_connection(newConnectionName())
{}

SqlJournal::SqlJournal(Server server)
    : m_server(std::move(server))
    , m_connection(newConnectionName())
{}

SqlJournal::~SqlJournal() { close(); }

std::unique_ptr<SqlJournal> SqlJournal::fromUrl(const QString &text)
{
    JournalUrl url = JournalUrl::parse(text);
    auto j = url.server ? std::make_unique<SqlJournal>(std::move(*url.server))
                        : std::make_unique<SqlJournal>(std::move(url.path));
    j->m_invalid = std::move(url.problem);
    return j;
}

QString SqlJournal::location() const
{
    if (!m_server)
        return m_path;
    if (!m_invalid.isEmpty())
        return QStringLiteral("(not understood)");
    // Never the password: the location goes into messages.
    return QStringLiteral("postgresql://%1%2@%3/%4")
        .arg(m_server->user, hasPassword() ? QStringLiteral(":***") : QString(), server(), m_server->database);
}

QString SqlJournal::maskedUrl(const QString &url) { return JournalUrl::masked(url); }

QString SqlJournal::server() const
{
    return m_server && m_invalid.isEmpty() ? QStringLiteral("%1:%2").arg(m_server->host).arg(m_server->port)
                                           : QString();
}

void SqlJournal::close()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

template <typename T> T SqlJournal::failed(T result)
{
    // A server that went away leaves a dead connection behind: the next call
    // connects anew instead of failing on it for good.
    if (postgres())
        m_open = false;
    return result;
}

bool SqlJournal::openDatabase(QString *error)
{
    if (!m_invalid.isEmpty()) {
        if (error)
            *error = m_invalid;
        return false;
    }
    const QString driver = postgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        if (error)
            *error = postgres() ? QStringLiteral("Qt's PostgreSQL driver is not installed (package libqt6sql6-psql)")
                                : QStringLiteral("Qt's SQLite driver is not installed (package libqt6sql6-sqlite)");
        return false;
    }
    if (!postgres()) {
        const QFileInfo info(m_path);
        if (!QDir().mkpath(info.absolutePath())) {
            if (error)
                *error = QStringLiteral("the folder %1 cannot be created").arg(info.absolutePath());
            return false;
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connection);
    if (postgres()) {
        db.setHostName(m_server->host);
        db.setPort(m_server->port);
        db.setUserName(m_server->user);
        db.setPassword(m_server->password);
        db.setDatabaseName(m_server->database);
        // A server that cannot be reached is reported within seconds, and a
        // connection that dies while idle is noticed: the window never hangs
        // on the journal.
        db.setConnectOptions(QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=5;keepalives_interval=2;"
                                            "keepalives_count=2;tcp_user_timeout=10000")
                                 .arg(ConnectTimeoutSeconds));
    } else {
        db.setDatabaseName(m_path);
        // Another program holding the journal for a moment is waited for.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    }
    if (!db.open()) {
        if (error)
            *error = db.lastError().text().simplified();
        return false;
    }
    if (postgres()) {
        // No statement, a claimer's wait for the writer lock included, blocks
        // for long.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SET statement_timeout = 15000"))) {
            if (error)
                *error = q.lastError().text().simplified();
            return false;
        }
    }
    return true;
}

bool SqlJournal::open(QString *error)
{
    if (m_open)
        return true;
    close();
    m_damaged = false;
    if (!openDatabase(error)) {
        close();
        return false;
    }
    if (!postgres()) {
        // No handle of the connection outlives the probe: close() removes
        // the connection, and one still held would be cut off under it.
        QSqlQuery probe(QSqlDatabase::database(m_connection, false));
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
            // Never written over nor moved by itself: it may be all the shop
            // has of its history, and its runs guard their numbers.
            close();
            m_damaged = true;
            if (error)
                *error = QStringLiteral("the file is damaged");
            return false;
        }
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!JournalSchema::prepare(db, postgres(), error)) {
        close();
        return false;
    }
    m_open = true;
    return true;
}

bool SqlJournal::startNew(QString *error, QString *keptAside)
{
    close();
    if (postgres() || !QFileInfo::exists(m_path)) {
        if (error)
            *error = QStringLiteral("there is no journal file to start anew");
        return false;
    }
    const QString named =
        m_path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = named;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = named + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(m_path, aside)) {
        if (error)
            *error = QStringLiteral("the journal %1 cannot be moved aside to %2").arg(m_path, aside);
        return false;
    }
    if (open(error)) {
        if (keptAside)
            *keptAside = aside;
        return true;
    }
    // No new journal: the damaged one goes back where it was, so that
    // "nothing was changed" stays true.
    close();
    QFile::remove(m_path);
    if (!QFile::rename(aside, m_path) && error)
        *error += QStringLiteral("; the damaged journal stays at %1").arg(aside);
    return false;
}

bool SqlJournal::ensureOpen(QString *error) { return m_open || open(error); }

std::optional<qint64> SqlJournal::beginRun(const JournalRun &run, QString *error)
{
    const auto claim = claimRun(run, true, error);
    return claim ? std::optional<qint64>(claim->id) : std::nullopt;
}

std::optional<JournalClaim> SqlJournal::claimRun(const JournalRun &run, bool allowDuplicates, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    JournalTransaction write(QSqlDatabase::database(m_connection, false), postgres());
    if (!write.begin(error))
        return failed(std::optional<JournalClaim>());
    JournalClaim claim;
    // A reprint prints what was printed before on purpose.
    if (!allowDuplicates && run.reprintOf == 0) {
        auto found = lookUpDuplicates(run.ranges, error);
        if (!found)
            return failed(std::optional<JournalClaim>());
        if (!found->empty()) {
            // Nothing is held while the operator thinks it over.
            write.rollback();
            claim.duplicates = std::move(*found);
            return claim;
        }
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    JournalQuery q(db, error);
    const QString lines =
        QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(run.layoutLines)).toJson(QJsonDocument::Compact));
    bool ok = q.run(
        QStringLiteral("INSERT INTO runs (started, finished, layout, grid_type, print_order, printer,"
                       " pages_requested, pages_printed, two_pages, outcome, reason, reprint_of,"
                       " reprint_from, reprint_to, workstation, layout_lines, range_count, check_note, calibration,"
                       " code, rest_of, rest_from)"
                       " VALUES (?, NULL, ?, ?, ?, ?, ?, 0, ?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
        {timeText(run.started), run.layoutName, run.gridType, run.printOrder, run.printer, run.pagesRequested,
         run.twoPages ? 1 : 0, JournalRun::outcomeName(JournalRun::Outcome::Printing), run.reprintOf, run.reprintFrom,
         run.reprintTo, run.workstation, lines, qint64(run.ranges.size()), run.checkNote,
         run.calibration ? calibrationRecord(*run.calibration) : QString(), run.code, run.restOf, run.restFrom});
    if (ok && !q.q.next()) {
        ok = false;
        if (error)
            *error = QStringLiteral("the journal gave the new run no number");
    }
    claim.id = ok ? q.q.value(0).toLongLong() : 0;
    q.q.finish();
    ok = ok && insertRanges(q, claim.id, run.ranges);
    if (!ok || !write.commit(error))
        return failed(std::optional<JournalClaim>());
    return claim;
}

bool SqlJournal::closeClaim(qint64 id, bool printed, const QString &note, const QDateTime &closed, QString *error)
{
    if (!ensureOpen(error))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    JournalQuery q(db, error);
    // Only a run still unfinished: one that ended meanwhile keeps its end.
    if (!q.run(QStringLiteral("UPDATE runs SET finished = ?, outcome = ?, reason = ?,"
                              " pages_printed = CASE WHEN ? = 1 THEN pages_requested ELSE 0 END"
                              " WHERE id = ? AND outcome = 'printing'"),
               {timeText(closed),
                JournalRun::outcomeName(printed ? JournalRun::Outcome::Printed : JournalRun::Outcome::Stopped), note,
                printed ? 1 : 0, id}))
        return failed(false);
    if (q.q.numRowsAffected() == 1)
        return true;
    if (error) {
        QString why;
        const auto r = run(id, &why);
        *error = r ? QStringLiteral("run %1 is not unfinished: it %2").arg(id).arg(JournalRun::outcomeName(r->outcome))
                   : why;
    }
    return false;
}

bool SqlJournal::endRun(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                        const std::vector<JournalJob> &jobs, const QDateTime &finished, QString *error)
{
    if (!ensureOpen(error))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    JournalTransaction write(db, postgres());
    if (!write.begin(error))
        return failed(false);
    JournalQuery q(db, error);
    if (!q.run(QStringLiteral("UPDATE runs SET finished = ?, outcome = ?, pages_printed = ?, reason = ? WHERE id = ?"),
               {timeText(finished), JournalRun::outcomeName(outcome), pagesPrinted, reason, id}))
        return failed(false);
    // An end that reaches no run is not recorded: the run's claim stays open
    // where it was made.
    if (q.q.numRowsAffected() != 1) {
        if (error)
            *error = QStringLiteral("the journal has no run %1").arg(id);
        return false;
    }
    if (!insertJobs(q, id, jobs))
        return failed(false);
    // A run that ended early keeps guarding the numbers of the pages that
    // went out, and only those: the rest are free for the run that prints them.
    if (outcome != JournalRun::Outcome::Printed && pagesPrinted > 0) {
        std::vector<NumberRange> ranges;
        if (!q.run(QStringLiteral("SELECT ") + RangeColumns
                       + QStringLiteral(" FROM ranges g WHERE g.run_id = ? ORDER BY g.seq"),
                   {id}))
            return failed(false);
        while (q.q.next())
            ranges.push_back(rangeFrom(q.q, 0));
        q.q.finish();
        ranges = clipToPages(ranges, 1, pagesPrinted);
        if (!q.run(QStringLiteral("DELETE FROM ranges WHERE run_id = ?"), {id}) || !insertRanges(q, id, ranges)
            || !q.run(QStringLiteral("UPDATE runs SET range_count = ? WHERE id = ?"), {qint64(ranges.size()), id}))
            return failed(false);
    }
    return write.commit(error) || failed(false);
}

std::optional<std::vector<JournalDuplicate>> SqlJournal::duplicates(const std::vector<NumberRange> &ranges,
                                                                    QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    auto found = lookUpDuplicates(ranges, error);
    return found ? found : failed(std::move(found));
}

std::optional<std::vector<JournalDuplicate>> SqlJournal::lookUpDuplicates(const std::vector<NumberRange> &ranges,
                                                                          QString *error)
{
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
    JournalQuery q(db, error);
    for (const auto &[pattern, span] : spans) {
        if (!q.run(QStringLiteral("SELECT ") + RangeColumns
                       + QStringLiteral(", u.id, u.started, u.layout, u.outcome, u.workstation FROM ranges g"
                                        " JOIN runs u ON u.id = g.run_id"
                                        " WHERE g.pattern = ? AND g.hi >= ? AND g.lo <= ? AND u.reprint_of = 0"
                                        " AND (u.outcome IN ('printed', 'printing') OR u.pages_printed > 0)"
                                        " ORDER BY u.id, g.seq"),
                   {pattern, span.first, span.second}))
            return std::nullopt;
        while (q.q.next()) {
            const NumberRange earlier = rangeFrom(q.q, 0);
            for (const NumberRange &r : ranges) {
                if (r.pattern() != pattern)
                    continue;
                if (auto common = commonNumbers(r, earlier)) {
                    common->position = r.position;
                    found.push_back({*common, q.q.value(9).toLongLong(), timeFrom(q.q.value(10)),
                                     q.q.value(11).toString(), q.q.value(12).toString() == QLatin1String("printing"),
                                     q.q.value(13).toString()});
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
    JournalQuery q(db, error);
    // Part of a name is enough, in any case; LIKE's own characters are
    // taken as they are.
    const QString like = QStringLiteral("LOWER(u.layout) LIKE ? ESCAPE '!'");
    QString part = layoutName.toLower();
    part.replace(QLatin1String("!"), QLatin1String("!!"))
        .replace(QLatin1String("%"), QLatin1String("!%"))
        .replace(QLatin1String("_"), QLatin1String("!_"));
    const QVariantList filter =
        layoutName.isEmpty() ? QVariantList{} : QVariantList{QLatin1Char('%') + part + QLatin1Char('%')};
    const QString where = layoutName.isEmpty() ? QString() : QStringLiteral(" WHERE ") + like;
    if (!q.run(QStringLiteral("SELECT ") + RunColumns + QStringLiteral(" FROM runs u") + where
                   + QStringLiteral(" ORDER BY u.id DESC"),
               filter))
        return failed(std::optional<std::vector<JournalRun>>());
    std::vector<JournalRun> out;
    std::map<qint64, std::size_t> byId;
    while (q.q.next()) {
        byId[q.q.value(0).toLongLong()] = out.size();
        out.push_back(runFrom(q.q));
    }
    // The ranges give each run its first and last numbers.
    JournalQuery g(db, error);
    if (!g.run(QStringLiteral("SELECT g.run_id, ") + RangeColumns + QStringLiteral(" FROM ranges g")
                   + (layoutName.isEmpty() ? QString() : QStringLiteral(" JOIN runs u ON u.id = g.run_id") + where)
                   + QStringLiteral(" ORDER BY g.run_id, g.seq"),
               filter))
        return failed(std::optional<std::vector<JournalRun>>());
    while (g.q.next()) {
        const auto it = byId.find(g.q.value(0).toLongLong());
        if (it != byId.end())
            out[it->second].ranges.push_back(rangeFrom(g.q, 1));
    }
    g.q.finish();
    if (!g.run(QStringLiteral("SELECT j.run_id, ") + JobColumns + QStringLiteral(" FROM run_jobs j")
                   + (layoutName.isEmpty() ? QString() : QStringLiteral(" JOIN runs u ON u.id = j.run_id") + where)
                   + QStringLiteral(" ORDER BY j.run_id, j.part"),
               filter))
        return failed(std::optional<std::vector<JournalRun>>());
    while (g.q.next()) {
        const auto it = byId.find(g.q.value(0).toLongLong());
        if (it != byId.end())
            out[it->second].jobs.push_back(jobFrom(g.q, 1));
    }
    return out;
}

std::optional<JournalRun> SqlJournal::run(qint64 id, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    JournalQuery q(db, error);
    if (!q.run(QStringLiteral("SELECT ") + RunColumns + QStringLiteral(", u.layout_lines, u.code FROM runs u WHERE u.id = ?"),
               {id}))
        return failed(std::optional<JournalRun>());
    if (!q.q.next()) {
        if (error)
            *error = QStringLiteral("the journal has no run %1").arg(id);
        return std::nullopt;
    }
    JournalRun r = runFrom(q.q);
    for (const QJsonValue &v : QJsonDocument::fromJson(q.q.value(20).toString().toUtf8()).array())
        r.layoutLines.append(v.toString());
    r.code = q.q.value(21).toString();
    if (!q.run(QStringLiteral("SELECT ") + RangeColumns
                   + QStringLiteral(" FROM ranges g WHERE g.run_id = ? ORDER BY g.seq"),
               {id}))
        return failed(std::optional<JournalRun>());
    while (q.q.next())
        r.ranges.push_back(rangeFrom(q.q, 0));
    if (!q.run(QStringLiteral("SELECT ") + JobColumns
                   + QStringLiteral(" FROM run_jobs j WHERE j.run_id = ? ORDER BY j.part"),
               {id}))
        return failed(std::optional<JournalRun>());
    while (q.q.next())
        r.jobs.push_back(jobFrom(q.q, 0));
    return r;
}

std::optional<std::vector<JournalRun>> SqlJournal::familyOf(qint64 id, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    JournalQuery q(db, error);
    // Up to the first run, then down from every run on the way: the first
    // run's whole tree, even when a run on the way up is missing. UNION
    // keeps a damaged link from looping.
    if (!q.run(QStringLiteral("WITH RECURSIVE up (id, rest_of) AS ("
                              " SELECT id, rest_of FROM runs WHERE id = ?"
                              " UNION SELECT r.id, r.rest_of FROM runs r JOIN up ON r.id = up.rest_of),"
                              " down (id) AS (SELECT id FROM up"
                              " UNION SELECT r.id FROM runs r JOIN down ON r.rest_of = down.id) SELECT ")
                   + RunColumns + QStringLiteral(" FROM runs u WHERE u.id IN (SELECT id FROM down) ORDER BY u.id"),
               {id}))
        return failed(std::optional<std::vector<JournalRun>>());
    std::vector<JournalRun> out;
    while (q.q.next())
        out.push_back(runFrom(q.q));
    return out;
}

std::optional<std::vector<JournalHit>> SqlJournal::find(const QString &numberText, QString *error)
{
    if (!ensureOpen(error))
        return std::nullopt;
    std::vector<JournalHit> hits;
    const QString given = numberText.trimmed();
    // Digits alone are the number an operator reads off a receipt, in every
    // text it was printed in; anything else is one printed text.
    const bool bare =
        !given.isEmpty() && std::all_of(given.begin(), given.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    qint64 value = 0;
    QString pattern;
    if (bare) {
        bool ok = false;
        value = given.toLongLong(&ok);
        if (!ok)
            return hits;
    } else {
        const auto t = NumberText::split(given);
        if (!t || t->digits == 0)
            return hits;
        value = t->value;
        pattern = t->pattern();
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    JournalQuery q(db, error);
    if (!q.run(QStringLiteral("SELECT ") + RangeColumns
                   + QStringLiteral(", u.id, u.started, u.layout, u.reprint_of FROM ranges g JOIN runs u ON u.id = "
                                    "g.run_id WHERE ")
                   + (bare ? QStringLiteral("g.digits > 0") : QStringLiteral("g.pattern = ?"))
                   + QStringLiteral(" AND g.hi >= ? AND g.lo <= ? ORDER BY u.id, g.position"),
               bare ? QVariantList{value, value} : QVariantList{pattern, value, value})) {
        // Not failed(std::optional<...>()): GCC 12 with the sanitizers takes
        // the copy of that empty optional for a read of its vector.
        failed(false);
        return std::nullopt;
    }
    while (q.q.next()) {
        const NumberRange r = rangeFrom(q.q, 0);
        if (const auto page = r.pageOf(value))
            hits.push_back({r.textOf(value), q.q.value(9).toLongLong(), timeFrom(q.q.value(10)),
                            q.q.value(11).toString(), *page, r.position, q.q.value(12).toLongLong() != 0});
    }
    return hits;
}

} // namespace numora
