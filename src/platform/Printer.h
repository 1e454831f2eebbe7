#pragma once
#include "platform/PrintArea.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace numora {

struct CodeShapes;

// A part of a document as the print system took it: one job, holding pages
// firstPage..lastPage of the document (from 1).
struct PrintedJob
{
    int part = 0; // from 1
    int jobId = 0;
    qint64 firstPage = 0, lastPage = 0;
};

// The printer as the print job drives it: a current position, a font and a
// fore colour, texts and boxes placed in twips (1/1440 inch) from the
// top-left corner of the drawing area. The first output of a document
// starts it; EndDoc releases it to the printer.
//
// Operations that can fail return false and leave the reason in
// lastError(). Once a document failed, further operations on it fail too
// until abortDocument() or a new document.
class Printer
{
public:
    virtual ~Printer() = default;

    // The installed printers, in the system's order (index 0 first), by
    // their device names.
    virtual QStringList printerNames() const = 0;
    // Index of the current printer in printerNames(); -1 when none.
    virtual int currentIndex() const = 0;
    virtual bool selectPrinter(int index) = 0;
    QString currentName() const
    {
        const int i = currentIndex();
        const QStringList names = printerNames();
        return i >= 0 && i < names.size() ? names.at(i) : QString();
    }
    // Chooses the printer with that device name; false when there is none.
    bool selectPrinterByName(const QString &name)
    {
        const int i = int(printerNames().indexOf(name));
        return i >= 0 && selectPrinter(i);
    }

    // Settles where the next document goes before a run is recorded, so
    // that the journal can name it: a PDF file is asked for here when none
    // was named. False when the operator cancelled or there is no target;
    // lastError() says why.
    virtual bool chooseTarget() { return true; }
    // Where the next document goes, as the journal records it: the printer's
    // name, or the absolute path of the PDF file.
    virtual QString targetName() const { return currentName(); }

    // The name the next document carries in the print system.
    virtual void setDocumentName(const QString &name) = 0;
    // 1 portrait, 2 landscape.
    virtual void setOrientation(int orientation) = 0;
    // Paper size in twips for the orientation in force.
    virtual double paperWidth() = 0;
    virtual double paperHeight() = 0;
    // Where the current printer puts a layout on its paper, for the
    // orientation in force. Without a printable area of its own, a printer
    // draws from the paper's corner, uncalibrated.
    virtual PrintArea printArea()
    {
        PrintArea area;
        area.paperWidth = area.width = paperWidth();
        area.paperHeight = area.height = paperHeight();
        return area;
    }
    // Holds the calibration the next documents are placed by, whatever the
    // printer's own (a reprint prints as its run did; a calibration sheet
    // prints uncalibrated); none to follow the printer's own again.
    virtual void pinCalibration(const std::optional<PrinterCalibration> &) {}

    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontItalic(bool italic) = 0;
    // 0x00BBGGRR, or a system colour 0x800000nn.
    virtual void setForeColor(qint32 colour) = 0;
    virtual void setCurrentX(double twips) = 0;
    virtual void setCurrentY(double twips) = 0;

    // The text with its top-left corner at the current position.
    virtual bool print(const QString &text) = 0;
    // A box between two corners, outlined or filled.
    virtual bool line(double x1, double y1, double x2, double y2, qint32 colour, bool filled) = 0;
    // A machine-readable code in black, its top-left corner (quiet zone
    // included) at x, y, each module moduleTwips square. A printer that
    // cannot draw codes fails the document rather than leave them out.
    // The module size drawCode draws for moduleTwips (a printer may take
    // whole device dots).
    virtual double codeModule(double moduleTwips) const { return moduleTwips; }
    virtual bool drawCode(const CodeShapes &code, double x, double y, double moduleTwips)
    {
        Q_UNUSED(code);
        Q_UNUSED(x);
        Q_UNUSED(y);
        Q_UNUSED(moduleTwips);
        return false;
    }
    virtual bool newPage() = 0;
    virtual bool endDoc() = 0;
    // Throws the open document away: nothing of it reaches the printer.
    // Without one it only clears a failure; the next document starts afresh.
    virtual void abortDocument() = 0;
    // Whether a document has been started and not yet ended or aborted.
    virtual bool documentOpen() const = 0;

    // A long document may reach the print system in parts, each handed over
    // as soon as it is drawn. Told before the first page, the document's
    // page count names the parts; 0 when unknown.
    virtual void setDocumentPages(qint64 pages) { Q_UNUSED(pages) }
    // Pages of the current document (or of the last one, once it failed or
    // was thrown away) that the print system has already taken: they are out
    // of the program's hands whatever becomes of the rest. A printer that
    // hands a document over whole takes none before endDoc().
    virtual qint64 pagesTaken() const { return 0; }
    // The most pages one part holds; 0 when documents go over whole.
    virtual qint64 partPages() const { return 0; }
    // The jobs the print system took for the current document (or the last
    // one), in order; a document that went over whole is one job. None for
    // a printer without a print system's jobs (a PDF file).
    virtual std::vector<PrintedJob> jobsTaken() const { return {}; }

    // Why the last failing operation failed, in words for the operator.
    virtual QString lastError() const = 0;
    // True when the last failure was the operator's own choice (a file
    // dialog cancelled): nothing to report.
    virtual bool lastFailureCancelled() const { return false; }
};

} // namespace numora
