#pragma once
#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

namespace numora {

class PrinterCalibrator;

namespace ui {

// "Calibrate...": prints the chosen printer's calibration sheet, shows the
// sheet as it should look, and takes where its two targets landed; the
// offset and scale they give are shown and kept for that printer.
class CalibrationWindow : public QDialog
{
    Q_OBJECT
public:
    explicit CalibrationWindow(PrinterCalibrator &calibrator, QWidget *parent = nullptr);

private:
    void printSheet();
    void store();
    void showStored();

    PrinterCalibrator &m_calibrator;
    QDoubleSpinBox *m_readings[4] = {};
    QCheckBox *m_fromEdge = nullptr;
    QLabel *m_current = nullptr;
    QLabel *m_outcome = nullptr;
};

} // namespace ui
} // namespace numora
