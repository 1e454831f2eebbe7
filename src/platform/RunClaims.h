#pragma once
#include "platform/PrintArea.h"
#include "platform/Printer.h"
#include <QString>
#include <QStringList>
#include <functional>

namespace numora {

// The run about to print, as the print job knows it.
struct PrintRun
{
    QString title; // message boxes' title
    QString layoutName, gridType, printOrder, printer;
    qint64 pagesRequested = 0;
    bool twoPages = false;
    bool reverse = false; // read backwards (print order 6)
    int perPage = 0;
    QStringList layoutLines;
    PrinterCalibration calibration; // what the printer places the run by
    qint64 reprintOf = 0, reprintFrom = 0, reprintTo = 0;
    qint64 restOf = 0, restFrom = 0; // the rest of run restOf, from its page restFrom
    // A run that sends only some pages of the run generated: those pages
    // (0: all), and the generated pages before its own page 1.
    qint64 sentFrom = 0, sentTo = 0, pagesBefore = 0;
    QString code; // the code printed beside each number, in its one-line form; empty for none
};

// Where a print job claims its numbers before the first page and records
// how the run ended after the last (the run journal). The job knows only
// this, so that printing and the journal stay apart.
class RunClaims
{
public:
    virtual ~RunClaims() = default;
    // False when the run must not print; nothing is recorded then.
    virtual bool begin(const PrintRun &run) = 0;
    // Asked over and over while begin waits for the journal; false stops the
    // wait (a Stop), and begin then returns false.
    virtual void setWaiting(std::function<bool()> waiting) = 0;
    // After a begin that returned true: printed, or not (`reason` empty for
    // a Stop), with the pages that went out and the print system's jobs
    // that took them.
    virtual void finish(bool printed, qint64 pagesPrinted, const QString &reason,
                        const std::vector<PrintedJob> &jobs) = 0;
};

} // namespace numora
