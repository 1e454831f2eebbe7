#pragma once
#include "platform/Printer.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRawFont>
#include <QPointF>
#include <QSizeF>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace numora {

class PrintTarget;
class SettingsStore;

// A long print run allocates and frees a page's buffers for every page; by
// default glibc hands those back to the kernel each time and maps them again
// for the next page. Call once at start-up, before the first document.
void tunePrintAllocator();

// The printers of the system through Qt Print Support, plus an entry that
// writes a PDF file. Units are twips from the top-left corner of the drawing
// area: the printable area of a printer, the whole page of a PDF.
//
// Each document goes to a PrintTarget: a PDF file, or a spool file that
// endDoc() hands to CUPS, so that abortDocument() really sends nothing and
// a refused job is reported instead of lost.
//
// Texts and boxes are collected and drawn a page's worth at a time (each
// kind in one go, still as real text in the PDF), in an order that keeps
// whatever was drawn later on top; texts of printable ASCII skip the shaper
// when the font would not change them.
class QtPrinter : public Printer
{
public:
    // The last entry of printerNames(): a PDF file instead of a printer.
    static QString pdfEntryName();

    QtPrinter();
    ~QtPrinter() override;

    QStringList printerNames() const override;
    int currentIndex() const override;
    bool selectPrinter(int index) override;

    bool chooseTarget() override;
    QString targetName() const override;
    void setDocumentName(const QString &name) override;
    void setOrientation(int orientation) override;
    double paperWidth() override;
    double paperHeight() override;
    PrintArea printArea() override;
    void pinCalibration(const std::optional<PrinterCalibration> &calibration) override { m_pinned = calibration; }

    // The calibration stored for a printer by its name; none when unset.
    std::function<PrinterCalibration(const QString &printer)> calibrationFor;
    // What places the next document: the pinned calibration, else the
    // current printer's own.
    PrinterCalibration calibration() const;

    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setFontItalic(bool italic) override;
    void setForeColor(qint32 colour) override;
    void setCurrentX(double twips) override { m_x = twips; }
    void setCurrentY(double twips) override { m_y = twips; }

    bool print(const QString &text) override;
    bool line(double x1, double y1, double x2, double y2, qint32 colour, bool filled) override;
    double codeModule(double moduleTwips) const override;
    bool drawCode(const CodeShapes &code, double x, double y, double moduleTwips) override;
    bool newPage() override;
    bool endDoc() override;
    void abortDocument() override;
    bool documentOpen() const override { return m_state == State::Open; }
    void setDocumentPages(qint64 pages) override { m_documentPages = pages; }
    qint64 pagesTaken() const override { return m_pagesTaken; }

    QString lastError() const override { return m_error; }
    bool lastFailureCancelled() const override { return m_cancelled; }

    // Asked for the file when a document goes to the PDF entry and no file
    // was set; the answer is the path, empty when the operator cancelled.
    std::function<QString(const QString &proposal)> askPdfFileName;
    // Every PDF document goes to this file without asking (command line);
    // empty to ask again.
    void setPdfFile(const QString &path) { m_pdfFile = path; }
    QString pdfFile() const { return m_pdfFile; }
    // The PDF entry, writing to that file; false (and nothing changed) while
    // a document is open.
    bool choosePdf(const QString &path);
    bool pdfChosen() const { return m_current == pdfIndex(); }
    // What the file question proposes for the next document.
    QString pdfFileProposal() const;
    // Files no PDF may replace (the journal); compared by path.
    QStringList protectedFiles;
    // Why no PDF can be written to path, before anything is printed: its
    // folder is missing, it is not a regular file, or it is protected.
    // Empty when it can.
    QString pdfDestinationProblem(const QString &path) const;

    // Qt's print dialog for the current printer; the operator may pick
    // another one there. True when confirmed.
    bool runSetupDialog(QWidget *parent);

    // Reads the system's printer list again; the current choice stays when
    // that printer is still there.
    void refreshPrinters();

    // Gives a preview's printer this printer's paper, margins and
    // orientation, so that its pages stand as they will print.
    void setUpPreview(QPrinter &preview) const;

    // Where the drawing area starts on the paper, in twips, for the
    // orientation in force: the unprintable margin of a printer, nothing
    // for a PDF.
    QPointF drawingOrigin();

    // The print system's number of the last document handed to a printer;
    // 0 when there was none.
    int lastJobId() const { return m_jobId; }

    // A document for a printer goes to the print system in parts of at most
    // this many pages, each its own job, handed over while the next is
    // drawn: a printer's filters take time that grows with the square of a
    // document's length. 0 hands every document over whole. A PDF file is
    // always one file.
    void setPartPages(int pages) { m_partPages = qMax(0, pages); }
    qint64 partPages() const override { return pdfChosen() ? 0 : m_partPages; }
    static constexpr int DefaultPartPages = 500;
    // The part size as the program's configuration names it ("partPages" of
    // section "Printing"); the default when it names none or no whole
    // number (0 hands documents over whole).
    void readPartPages(SettingsStore &config);
    // The print system's job numbers of the current (or last) document's
    // parts that were handed over, in order.
    QList<int> partJobs() const;
    std::vector<PrintedJob> jobsTaken() const override { return m_jobs; }
    // Parts begun of the current document (the one being drawn included),
    // and how many the document has in all (1 when it is not split).
    int partsDrawn() const { return m_partsBegun; }
    int partCount() const;

private:
    enum class State { Idle, Open, Failed };

    int pdfIndex() const { return int(m_systemNames.size()); }
    // Makes that system printer the current one, on its default paper.
    bool usePrinter(int index);
    void configurePrinter();
    QSizeF paperTwips() const;
    // The printable area on the paper, in twips, for the orientation in force.
    QRectF printableTwips() const;
    bool startDocument();
    // Begins the next part of the open document on a target of its own.
    bool beginPart();
    // Ends the part being drawn and hands it to its target; false (the
    // document failed) when the target did not take it.
    bool handOverPart();
    bool partFull() const;
    // Ends the open document without a page of it going anywhere.
    void throwAway();
    bool fail(const QString &why);
    QString printerTarget() const;
    void applyFont();
    bool plainText(const QString &text);
    bool shapesPlainly(const QString &sample) const;
    void queueText(const QString &text, QPointF baseline);
    struct PendingBox
    {
        QRectF rect; // device pixels
        QColor colour;
    };
    // A code's dark bars in modules, each module sx by sy device pixels
    // from origin.
    struct PendingCode
    {
        QPointF origin;
        double sx, sy;
        QVector<QRectF> bars;
    };
    // Draws what waits, in the order it must stand on the page.
    void flushPending();
    void drawBoxes(QList<PendingBox> &boxes, bool filled);
    void drawCodes();
    // Whole device dots for a module `exact` dots wide, at least one.
    static double moduleDots(double exact);
    // Draws what waits first when a box at box (device pixels) would cover
    // it or be covered by it out of order.
    void makeRoomFor(const QRectF &box, bool filled);
    // Forgets what waits: the document is thrown away.
    void dropPending();
    void useLinePen(const QColor &colour);
    // No brush for nullptr.
    void useBrush(const QColor *colour);

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QStringList m_systemNames;
    int m_current = 0;
    QString m_documentName;
    int m_orientation = 1;
    QString m_pdfFile;
    QString m_dialogPdfFile; // a file named in the set-up dialog, proposed next
    QString m_chosenPdf;     // the file chooseTarget() asked for, taken by the next document

    State m_state = State::Idle;
    QString m_error;
    bool m_cancelled = false;
    int m_jobId = 0;
    std::unique_ptr<PrintTarget> m_target; // where the open document (or its part) goes
    int m_partPages = DefaultPartPages;
    qint64 m_documentPages = 0;
    qint64 m_pagesTaken = 0;
    qint64 m_pagesInPart = 0;
    int m_partsBegun = 0;
    std::vector<PrintedJob> m_jobs; // the parts handed over
    std::optional<PrinterCalibration> m_pinned;

    // Drawing state. The job sets the same font and colour before every
    // number; rebuilding a QFont and its metrics each time would cost more
    // than drawing the text, so changes are only noted here and applied at
    // the next text.
    double m_x = 0;
    double m_y = 0;
    double m_pxPerTwipX = 1;
    double m_pxPerTwipY = 1;
    QString m_fontName;
    double m_fontSize = 8.25;
    bool m_bold = false;
    bool m_italic = false;
    bool m_fontChanged = true;
    QFont m_font;
    double m_ascent = 0;
    QRawFont m_rawFont; // m_font at the printer's resolution

    // Which characters and pairs of the current font need no shaping,
    // printable ASCII only: unknown until first met.
    static constexpr char16_t firstPlain = 0x20;
    static constexpr char16_t lastPlain = 0x7e;
    static constexpr std::size_t plainSpan = lastPlain - firstPlain + 1;
    static constexpr std::size_t plainTableSize = plainSpan * (plainSpan + 1);
    static constexpr std::size_t plainIndex(char16_t a, char16_t b) // b == 0: a alone
    {
        return std::size_t(a - firstPlain) * (plainSpan + 1) + (b ? std::size_t(b - firstPlain) + 1 : 0);
    }
    enum Plain : quint8 { PlainUnknown, PlainYes, PlainNo };
    std::vector<quint8> m_plain;

    // Boxes, and plain texts in one colour, waiting to be drawn together.
    QList<PendingBox> m_fills;
    QList<PendingBox> m_outlines;
    QList<PendingCode> m_codes; // drawn after the fills
    QList<QRectF> m_codeBounds;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
    QList<QRectF> m_batchBounds;
    QColor m_batchColour;
    std::vector<quint32> m_glyphScratch;
    std::vector<QPointF> m_advanceScratch;
    qint32 m_foreColour = 0;
    QColor m_textColour;
    bool m_textColourValid = false;
    qint32 m_boxColourValue = 0;
    QColor m_boxColour;
    bool m_boxColourValid = false;
    // What the painter holds: each change of pen or brush costs a state
    // change in every page's content.
    enum class PenState { Unknown, None, Line };
    enum class BrushState { Unknown, None, Solid };
    PenState m_penState = PenState::Unknown;
    QColor m_penColour;
    BrushState m_brushState = BrushState::Unknown;
    QColor m_brushColour;
};

} // namespace numora
