#pragma once

namespace numora {

// A printer's own correction, so that a given printer puts a number exactly
// where the form wants it: an offset across and down in millimetres and a
// scale across and down in per mille. Applied to what a job draws on that
// printer, never to the numbers a run generates.
struct PrinterCalibration
{
    double acrossMm = 0;
    double downMm = 0;
    int scaleAcross = 1000; // per mille
    int scaleDown = 1000;   // per mille
    // Positions count from the paper's corner instead of the printable
    // area's, for layouts made on a printer with other margins.
    bool fromPaperEdge = false;

    bool isIdentity() const
    {
        return acrossMm == 0 && downMm == 0 && scaleAcross == 1000 && scaleDown == 1000 && !fromPaperEdge;
    }
    bool operator==(const PrinterCalibration &) const = default;
};

// Where a printer puts a layout on the paper, all in twips (1/1440 inch):
// the paper for the orientation in force, the drawing area a layout's
// positions count from (the printer's printable area), and the printer's
// calibration. The preview, the pre-flight check and the print job read
// the same one, so what is shown is what prints.
struct PrintArea
{
    double paperWidth = 0, paperHeight = 0;
    double left = 0, top = 0, width = 0, height = 0; // the drawing area on the paper
    PrinterCalibration calibration;

    static constexpr double twipsPerMm = 1440.0 / 25.4;

    // Where a layout's point (twips from the drawing area's corner) lands
    // on the paper (twips from the paper's top-left corner).
    double paperX(double x) const
    {
        return (calibration.fromPaperEdge ? 0 : left) + calibration.acrossMm * twipsPerMm + x * calibration.scaleAcross / 1000.0;
    }
    double paperY(double y) const
    {
        return (calibration.fromPaperEdge ? 0 : top) + calibration.downMm * twipsPerMm + y * calibration.scaleDown / 1000.0;
    }
};

} // namespace numora
