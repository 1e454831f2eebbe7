#pragma once
#include "platform/PrintArea.h"

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace numora {

class SettingsStore;

// The calibrations the operator measured, one section per printer (by its
// name; "Save as PDF" too) in the program's configuration.
class CalibrationStore
{
public:
    explicit CalibrationStore(SettingsStore &settings)
        : m_settings(settings)
    {}

    // The printer's calibration; none stored reads as none at all.
    PrinterCalibration calibration(const QString &printer) const;
    bool isStored(const QString &printer) const;
    // False when the configuration could not be written: the old values stay.
    bool store(const QString &printer, const PrinterCalibration &calibration);

private:
    SettingsStore &m_settings;
};

// The calibration as the operator reads it ("+3.00 mm across, -2.00 mm
// down, 1005 per mille across, 1000 per mille down").
QString describeCalibration(const PrinterCalibration &c);
// One line that keeps a calibration exactly (the journal's record), and back;
// nothing for a line that is not one.
QString calibrationRecord(const PrinterCalibration &c);
std::optional<PrinterCalibration> calibrationFromRecord(const QString &record);

// The two targets of the calibration sheet, in millimetres from the paper's
// top-left corner: near opposite corners, so that the readings are far apart.
struct CalibrationTargets
{
    QPointF first, second;
};
CalibrationTargets calibrationTargets(QSizeF paperMm);

// The calibration that makes a printer put each target where it belongs,
// from where the targets of an uncalibrated sheet landed (millimetres from
// the paper's top-left corner). `drawingOriginMm` is where the printer says
// its printable area starts. Nothing, with the reason, when the readings
// cannot be a printer's (the targets swapped, or a scale or an offset far
// beyond any printer's error).
std::optional<PrinterCalibration> calibrationFromReadings(const CalibrationTargets &nominal, QPointF measuredFirst,
                                                          QPointF measuredSecond, QPointF drawingOriginMm,
                                                          bool fromPaperEdge, QString *why = nullptr);

} // namespace numora
