#pragma once
#include "platform/Calibration.h"

#include <QString>

class QDate;

namespace numora {

class Printer;

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

} // namespace numora
