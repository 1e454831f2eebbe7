#include "CupsHandOver.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintEngine>
#include <QPrinter>

#include <cstring>
#include <cups/cups.h>

namespace numora {

namespace {

// The print dialog's properties page keeps its CUPS options under this key
// of Qt's CUPS print engine. Qt has no public API for them (QPrinter,
// QPageLayout and QPrintDialog do not expose them), and libcups' own
// defaults (cupsGetDest) hold the queue's saved options, not what the
// operator chose in the dialog: the key is read here and nowhere else.
constexpr auto dialogOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QByteArray queueOf(const QString &printerName) { return printerName.section(QLatin1Char('/'), 0, 0).toUtf8(); }

} // namespace

QString cupsQueueProblem(const QString &name)
{
    const int slash = int(name.indexOf(QLatin1Char('/')));
    const QByteArray queue = queueOf(name);
    const QByteArray instance = slash >= 0 ? name.mid(slash + 1).toUtf8() : QByteArray();
    cups_dest_t *dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) {
        const ipp_status_t status = cupsLastError();
        const QString reason = QString::fromUtf8(cupsLastErrorString());
        // An unreachable print system looks like a missing printer here;
        // tell the two apart, the operator's remedy differs.
        if (http_t *server =
                httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr)) {
            httpClose(server);
            if (status == IPP_STATUS_ERROR_NOT_FOUND)
                return QStringLiteral("The printer %1 is not installed any more.").arg(name);
            return QStringLiteral("The printer %1 cannot be reached: %2").arg(name, reason);
        }
        return QStringLiteral("The printer %1 cannot be reached: the print system does not answer (%2).")
            .arg(name, QString::fromUtf8(cupsLastErrorString()));
    }
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && std::strcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (refuses)
        return QStringLiteral("The printer %1 is not accepting documents at the moment.").arg(name);
    return {};
}

CupsOptions cupsOptions(QPrinter &printer, bool landscape)
{
    CupsOptions options;
    const auto add = [&options](const QByteArray &key, const QByteArray &value) { options.append({key, value}); };
    add("media", printer.pageLayout().pageSize().key().toUtf8());
    if (printer.copyCount() > 1) {
        add("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies())
            add("Collate", "True");
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: add("sides", "one-sided"); break;
    case QPrinter::DuplexAuto: add("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge"); break;
    case QPrinter::DuplexLongSide: add("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: add("sides", "two-sided-short-edge"); break;
    }
    if (landscape)
        add("landscape", "");
    const QStringList dialogOptions = printer.printEngine()->property(dialogOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < dialogOptions.size(); i += 2)
        add(dialogOptions.at(i).toUtf8(), dialogOptions.at(i + 1).toUtf8());
    return options;
}

int cupsSubmit(const QString &printerName, const QString &file, const QString &title, const CupsOptions &options,
               QString *error)
{
    int count = 0;
    cups_option_t *cupsOptions = nullptr;
    for (const auto &[key, value] : options)
        count = cupsAddOption(key.constData(), value.constData(), count, &cupsOptions);
    const int job = cupsPrintFile(queueOf(printerName).constData(), QFile::encodeName(file).constData(),
                                  title.toUtf8().constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job <= 0) {
        if (error)
            *error = QStringLiteral("The printer %1 did not take the document: %2")
                         .arg(printerName, QString::fromUtf8(cupsLastErrorString()));
        return 0;
    }
    return job;
}

} // namespace numora
