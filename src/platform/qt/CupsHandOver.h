#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QPrinter;

namespace numora {

// The hand-over of finished documents to CUPS: whether a queue takes
// documents at all, the options a document goes with, and the submission
// of a spool file as one job. A run handed over in parts submits each part
// with the same options.

// The options a document sent to CUPS carries.
using CupsOptions = QList<QPair<QByteArray, QByteArray>>;

// Why the printer (a queue name, "queue/instance" for an instance) cannot
// take a document now, in words for the operator: not installed, the print
// system unreachable, or not accepting jobs. Empty when it can.
QString cupsQueueProblem(const QString &printerName);

// The options Qt's own CUPS engine sends with a document printed on that
// printer, so that the choices of the print dialog apply: paper, copies,
// sides, orientation and the dialog's properties page.
CupsOptions cupsOptions(QPrinter &printer, bool landscape);

// Hands the file over as one job of the printer's queue, titled title.
// The print system's job number, or 0 with the reason in *error.
int cupsSubmit(const QString &printerName, const QString &file, const QString &title, const CupsOptions &options,
               QString *error);

} // namespace numora
