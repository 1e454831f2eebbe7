// The duplicate guard's speed: a 99,999-page "12 X 12" run checked against
// a journal of earlier runs (10,000 by default), the way a shop's journal
// grows. Prints the seconds of each step; with a limit given, exits 1 when
// the check takes longer.
//   numora_journal_bench [RUNS] [LIMIT_SECONDS] [restart]
#include "journal/SqlJournal.h"
#include "printing/SequenceList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace numora;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10000;
    const double limit = argc > 2 ? std::atof(argv[2]) : 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    QString error;
    {
        SqlJournal schema(path);
        if (!schema.open(&error)) {
            std::fprintf(stderr, "cannot open the journal: %s\n", qPrintable(error));
            return 2;
        }
    }
    // Earlier runs: 100 pages of twelve numbers each, going on one after
    // another, written in one go (the journal's own writes sync each run).
    QElapsedTimer t;
    t.start();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery run(db), range(db);
        run.prepare(
            QStringLiteral("INSERT INTO runs (started, layout, grid_type, print_order, printer, pages_requested,"
                           " pages_printed, two_pages, outcome, layout_lines, range_count)"
                           " VALUES ('2026-01-01T00:00:00.000Z', 'Receipts', '12 X 12', '1 - Up to Down',"
                           " 'Laser', 100, 100, 0, 'printed', '[]', 12)"));
        range.prepare(
            QStringLiteral("INSERT INTO ranges (run_id, position, pattern, prefix, suffix, digits, first, last,"
                           " step, lo, hi, first_page, page_stride) VALUES (?, ?, 'No:{8}', 'No:', '', 8, ?, ?,"
                           " 12, ?, ?, 1, 1)"));
        for (int r = 0; r < runs; ++r) {
            run.exec();
            const qint64 id = run.lastInsertId().toLongLong();
            const qint64 base = qint64(r) * 1200 + 1;
            for (int p = 1; p <= 12; ++p) {
                const qint64 first = base + p - 1, last = first + 99 * 12;
                range.addBindValue(id);
                range.addBindValue(p);
                range.addBindValue(first);
                range.addBindValue(last);
                range.addBindValue(first);
                range.addBindValue(last);
                range.exec();
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    std::printf("journal of %d runs written in %.2f s\n", runs, double(t.elapsed()) / 1000);

    // The coming run: 99,999 pages of twelve, numbered on from the last run.
    SequenceList sequence(QStringLiteral("Lise1"));
    // Half a run back, so that some numbers repeat; with "restart", from 1
    // again, as after the counters were put back: every earlier run meets it.
    const bool restart = argc > 3 && qstrcmp(argv[3], "restart") == 0;
    const qint64 start = restart ? 1 : qint64(runs) * 1200 + 1 - 600;
    t.restart();
    for (qint64 page = 0; page < 99999; ++page)
        for (int p = 0; p < 12; ++p) {
            const qint64 n = start + page * 12 + p;
            sequence.append(QStringLiteral("head"), QStringLiteral("No:%1").arg(n, 8, 10, QLatin1Char('0')),
                            WrittenNumber{3, 8, n});
        }
    std::printf("sequence of %lld numbers made in %.2f s\n", (long long)sequence.count(), double(t.elapsed()) / 1000);

    t.restart();
    const std::vector<NumberRange> ranges = rangesOfSequence(sequence, 12, false, false);
    const double rangesSeconds = double(t.elapsed()) / 1000;
    SqlJournal journal(path);
    if (!journal.open(&error)) {
        std::fprintf(stderr, "cannot open the journal: %s\n", qPrintable(error));
        return 2;
    }
    t.restart();
    const auto found = journal.duplicates(ranges, &error);
    const double checkSeconds = double(t.elapsed()) / 1000;
    if (!found) {
        std::fprintf(stderr, "the check failed: %s\n", qPrintable(error));
        return 2;
    }
    std::printf("%zu ranges found in %.3f s; checked against %d runs in %.3f s: %zu duplicate ranges\n", ranges.size(),
                rangesSeconds, runs, checkSeconds, found->size());
    if (ranges.size() != 12 || found->empty()) {
        std::fprintf(stderr, "expected 12 ranges and some duplicates\n");
        return 1;
    }
    // The look-up in the journal is held to the limit; reading the run's
    // 1.2 million texts into ranges, which no journal size changes, to
    // three times that (a debug build on a busy machine).
    if (limit > 0 && (checkSeconds > limit || rangesSeconds > 3 * limit)) {
        std::fprintf(stderr, "the guard took %.3f s to look up and %.3f s to find the ranges; the limit is %.3f s\n",
                     checkSeconds, rangesSeconds, limit);
        return 1;
    }
    return 0;
}
