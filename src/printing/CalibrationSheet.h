#pragma once
#include "platform/Calibration.h"

#include <QString>

class QDate;

namespace numora {

class Clock;
class Printer;
class SettingsStore;

// Prints the calibration sheet on the current printer, uncalibrated and in
// portrait: rulers along the top and left edges, the two targets at their
// places (each with a millimetre vernier across and down), the printer's
// name and the date. Empty when it printed; otherwise why not.
QString printCalibrationSheet(Printer &printer, const QDate &date);

// Where the sheet's targets belong on the current printer's paper, in
// millimetres from its top-left corner.
CalibrationTargets sheetTargets(Printer &printer);

// The current printer's calibration from where its sheet's targets landed
// (millimetres from the paper's left and top edges); nothing, with the
// reason, for readings no printer gives.
std::optional<PrinterCalibration> calibrationFromSheet(Printer &printer, QPointF first, QPointF second,
                                                       bool fromPaperEdge, QString *why);

// Calibrating the current printer, as the print dialog's "Calibrate..." and
// `numora calibrate` do it: the sheet, the readings, the stored values.
class PrinterCalibrator
{
public:
    PrinterCalibrator(Printer &printer, SettingsStore &config, Clock &clock)
        : m_printer(printer)
        , m_store(config)
        , m_clock(clock)
    {}

    Printer &printer() const { return m_printer; }
    QString printerName() const;
    bool isStored() const { return m_store.isStored(printerName()); }
    PrinterCalibration stored() const { return m_store.calibration(printerName()); }
    // The sheet, dated today; empty when it printed, else why not.
    QString printSheet();
    CalibrationTargets targets() { return sheetTargets(m_printer); }
    // Computes the calibration from the readings and stores it; nothing,
    // with the reason, when the readings are no printer's or the
    // configuration could not be written (the old values stay).
    std::optional<PrinterCalibration> store(QPointF first, QPointF second, bool fromPaperEdge, QString *why);

private:
    Printer &m_printer;
    CalibrationStore m_store;
    Clock &m_clock;
};

} // namespace numora
