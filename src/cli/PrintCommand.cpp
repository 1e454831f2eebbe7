#include "Commands.h"
#include "CommandLine.h"
#include "PrintRun.h"
#include "layout/LayoutDocument.h"
#include "printing/PrintOrderEngine.h"

#include <QFileInfo>

namespace numora::cli {

namespace {

// Parses the arguments after "print"; an error text when they are not right.
QString parse(const QStringList &args, Options &o)
{
    QCommandLineParser parser;
    const QCommandLineOption pages(QStringLiteral("pages"), {}, QStringLiteral("N"));
    const QCommandLineOption twoPage(QStringLiteral("two-page"));
    const QCommandLineOption printer(QStringLiteral("printer"), {}, QStringLiteral("NAME"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption strict(QStringLiteral("strict"));
    const QCommandLineOption allowDuplicates(QStringLiteral("allow-duplicates"));
    const QCommandLineOption journal(QStringLiteral("journal"), {}, QStringLiteral("URL"));
    const QCommandLineOption withoutClaim(QStringLiteral("without-claim"));
    const QCommandLineOption partPages(QStringLiteral("part-pages"), {}, QStringLiteral("N"));
    const QCommandLineOption code(QStringLiteral("code"), {}, QStringLiteral("TYPE"));
    parser.addOptions(
        {pages, twoPage, printer, pdf, dryRun, strict, allowDuplicates, journal, withoutClaim, partPages, code});
    if (const QString problem = parseArguments(parser, args, QStringLiteral("unknown option")); !problem.isEmpty())
        return problem;
    const QStringList layouts = parser.positionalArguments();
    if (layouts.size() > 1)
        return QStringLiteral("only one layout can be printed at a time (") + layouts.at(1) + QLatin1Char(')');
    o.layout = layouts.value(0);
    o.pages = parser.value(pages);
    o.twoPages = parser.isSet(twoPage);
    o.printer = parser.value(printer);
    o.pdf = parser.value(pdf);
    o.dryRun = parser.isSet(dryRun);
    o.strict = parser.isSet(strict);
    o.allowDuplicates = parser.isSet(allowDuplicates);
    o.journal = parser.value(journal);
    o.withoutClaim = parser.isSet(withoutClaim);
    o.partPages = parser.value(partPages);
    if (parser.isSet(code)) {
        const auto type = codeTypeFromName(parser.value(code));
        if (!type)
            return QStringLiteral("--code takes one of %1, not \"%2\"")
                .arg(codeTypeNames().join(QLatin1Char('|')), parser.value(code));
        o.code = CodeSettings{};
        o.code->type = *type;
    }
    if (o.layout.isEmpty())
        return QStringLiteral("no layout file given");
    if (!parser.isSet(pages))
        return QStringLiteral("--pages N is required");
    // As many pages as the print dialog takes for one run.
    bool ok = false;
    const int n = o.pages.toInt(&ok);
    if (!ok || n < 1 || !pageCountAccepted(n))
        return QStringLiteral("the page count must be a whole number from 1 to %1, not \"%2\"")
            .arg(qint64(MaxRunPages))
            .arg(o.pages);
    if (!o.printer.isEmpty() && !o.pdf.isEmpty())
        return QStringLiteral("--printer and --pdf cannot be given together");
    return {};
}

// A path, or a layout's file name in the Data folder; with no extension
// given, the one file of that name whatever its grid type.
QString findLayout(const QString &given, const LayoutFolder &folder, QString &problem)
{
    if (QFileInfo(given).isFile())
        return QFileInfo(given).absoluteFilePath();
    if (!given.contains(QLatin1Char('/'))) {
        const QString inData = folder.filePath(given);
        if (QFileInfo(inData).isFile())
            return inData;
        // Only names that end in a grid type: a temporary file left beside
        // a layout by a crash is not another layout of that name.
        QStringList matches;
        for (const GridTypeInfo &g : gridTypes())
            matches += folder.list({given + QLatin1Char('.') + QLatin1String(g.tag)});
        if (matches.size() == 1)
            return folder.filePath(matches.first());
        if (matches.size() > 1) {
            problem = QStringLiteral("\"%1\" names several layouts (%2); give the whole file name")
                          .arg(given, matches.join(QStringLiteral(", ")));
            return {};
        }
    }
    problem = QStringLiteral("no layout file \"%1\" (neither a file nor a layout in %2)").arg(given, folder.path());
    return {};
}

} // namespace

int runPrintCommand(const QStringList &args)
{
    Options o;
    if (const QString problem = parse(args, o); !problem.isEmpty())
        return usageError(QStringLiteral("print"), problem);

    CommandServices services;
    if (const QString problem = usePartPages(services.printer, o.partPages); !problem.isEmpty())
        return usageError(QStringLiteral("print"), problem);
    QString notFound;
    const QString path = findLayout(o.layout, services.layouts, notFound);
    if (path.isEmpty()) {
        say(stderr, QStringLiteral("numora print: ") + notFound);
        return 2;
    }

    services.useJournal(o.journal);
    if (const QString problem = choosePrinter(services.printer, o.printer, o.pdf);
        !problem.isEmpty() && !(o.dryRun && o.printer.isEmpty() && o.pdf.isEmpty())) {
        say(stderr, QStringLiteral("numora print: ") + problem);
        return 2;
    }
    return printRun(o, path, services);
}

} // namespace numora::cli
