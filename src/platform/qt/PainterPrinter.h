#pragma once
#include "PrintTarget.h"
#include "platform/Printer.h"

#include <QFont>
#include <QPainter>

class QPrinter;

namespace numora {

// A printer that paints on a QPrinter it is given, such as the one a print
// preview records its pages on. It draws by QtPrinter's rules (twips from the
// top-left corner of the drawing area, texts placed by their top-left
// corner, fonts in points) but sends nothing anywhere: the QPrinter's owner
// decides what its pages become.
class PainterPrinter : public Printer
{
public:
    explicit PainterPrinter(QPrinter &printer);
    ~PainterPrinter() override;

    // One entry: the QPrinter itself.
    QStringList printerNames() const override;
    int currentIndex() const override { return 0; }
    bool selectPrinter(int index) override { return index == 0; }

    void setDocumentName(const QString &name) override;
    void setOrientation(int orientation) override;
    double paperWidth() override;
    double paperHeight() override;

    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setFontItalic(bool italic) override;
    void setForeColor(qint32 colour) override { m_foreColour = colour; }
    void setCurrentX(double twips) override { m_x = twips; }
    void setCurrentY(double twips) override { m_y = twips; }

    bool print(const QString &text) override;
    bool line(double x1, double y1, double x2, double y2, qint32 colour, bool filled) override;
    bool drawCode(const CodeShapes &code, double x, double y, double moduleTwips) override;
    bool newPage() override;
    bool endDoc() override;
    void abortDocument() override;
    bool documentOpen() const override { return m_painter.isActive(); }

    QString lastError() const override { return m_error; }
    // The calibration its pages are placed by, as the printer they preview
    // places them.
    void pinCalibration(const std::optional<PrinterCalibration> &calibration) override
    {
        m_calibration = calibration.value_or(PrinterCalibration{});
    }

private:
    bool ensureStarted();
    void fontChanged() { m_fontChanged = true; }

    QPrinter &m_printer;
    PreviewTarget m_target;
    QPainter m_painter;
    QString m_error;
    int m_orientation = 1;
    double m_x = 0, m_y = 0;
    QString m_fontName;
    double m_fontSize = 8.25;
    bool m_bold = false, m_italic = false;
    bool m_fontChanged = true;
    double m_ascent = 0;
    qint32 m_foreColour = 0;
    PrinterCalibration m_calibration;
};

} // namespace numora
