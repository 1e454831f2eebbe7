#include "QtPrinter.h"
#include "platform/CodeShapes.h"
#include "PrintDrawing.h"
#include "PrintTarget.h"
#include "QtFonts.h"
#include "platform/SettingsStore.h"
#include "platform/qt/QtColour.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextLayout>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <utility>

namespace numora {

void tunePrintAllocator()
{
#if defined(__GLIBC__)
    // Every page builds and compresses its content in buffers of a few
    // hundred kilobytes. Above the mmap threshold each of them is a fresh
    // mapping, and above the trim threshold freed memory goes back to the
    // kernel at once: a 99,999-page PDF took 15 s instead of 8 s. Keeping
    // them in the heap costs a few megabytes at most.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

namespace {

constexpr double twipsPerInch = 1440.0;
constexpr double mmPerInch = 25.4;

double mmToTwips(double mm) { return mm / mmPerInch * twipsPerInch; }

// A document name as a file name: the characters no file system or file
// dialog accepts become underscores.
QString fileSafe(const QString &name)
{
    QString out = name.trimmed();
    for (QChar &c : out) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    return out;
}

} // namespace

QString QtPrinter::pdfEntryName() { return QStringLiteral("Save as PDF"); }

void QtPrinter::readPartPages(SettingsStore &config)
{
    bool ok = false;
    const int pages =
        config.getSetting(QStringLiteral("Numora"), QStringLiteral("Printing"), QStringLiteral("partPages"))
            .trimmed()
            .toInt(&ok);
    setPartPages(ok && pages >= 0 ? pages : DefaultPartPages);
}

QtPrinter::QtPrinter()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_systemNames = QPrinterInfo::availablePrinterNames();
    const int def = int(m_systemNames.indexOf(QPrinterInfo::defaultPrinterName()));
    if (def < 0 || !usePrinter(def))
        m_current = pdfIndex();
    configurePrinter();
}

bool QtPrinter::usePrinter(int index)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(m_systemNames.at(index));
    if (info.isNull())
        return false;
    m_current = index;
    m_printer->setPrinterName(info.printerName());
    // A printer starts on its own paper, not on what the last one had.
    m_printer->setPageSize(info.defaultPageSize());
    return true;
}

QtPrinter::~QtPrinter()
{
    // A document still open when the program ends was not finished: it
    // must not reach the printer half done.
    if (m_state == State::Open)
        abortDocument();
}

QStringList QtPrinter::printerNames() const
{
    QStringList names = m_systemNames;
    names << pdfEntryName();
    return names;
}

int QtPrinter::currentIndex() const { return m_current; }

bool QtPrinter::selectPrinter(int index)
{
    if (index < 0 || index > pdfIndex() || m_state == State::Open)
        return false;
    if (index == m_current)
        return true;
    if (index == pdfIndex())
        m_current = index;
    else if (!usePrinter(index))
        return false;
    configurePrinter();
    return true;
}

bool QtPrinter::choosePdf(const QString &path)
{
    if (!selectPrinter(pdfIndex()))
        return false;
    setPdfFile(path);
    return true;
}

void QtPrinter::refreshPrinters()
{
    const QString current = currentName();
    m_systemNames = QPrinterInfo::availablePrinterNames();
    const int i = int(m_systemNames.indexOf(current));
    m_current = i >= 0 ? i : pdfIndex();
    configurePrinter();
}

void QtPrinter::configurePrinter()
{
    if (m_state == State::Open)
        return;
    if (pdfChosen()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        // The program's page, whatever the locale's default paper.
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setFullPage(true);
    } else {
        const QString name = m_systemNames.at(m_current);
        if (m_printer->outputFormat() != QPrinter::NativeFormat || m_printer->printerName() != name)
            m_printer->setPrinterName(name);
        // A file name left from an earlier document would print to that file.
        if (m_printer->outputFormat() == QPrinter::NativeFormat && !m_printer->outputFileName().isEmpty())
            m_printer->setOutputFileName(QString());
        m_printer->setFullPage(false);
    }
    m_printer->setPageOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinter::chooseTarget()
{
    // A new run begins: what the print system took of the last document is
    // not this run's, even when it fails before its first page.
    m_pagesTaken = 0;
    m_partsBegun = 0;
    m_jobs.clear();
    m_cancelled = false;
    m_chosenPdf.clear();
    if (!pdfChosen() || !m_pdfFile.isEmpty())
        return true;
    if (!askPdfFileName) {
        m_error = QStringLiteral("No file was named for the PDF.");
        return false;
    }
    const QString path = askPdfFileName(pdfFileProposal());
    if (path.isEmpty()) {
        m_error = QStringLiteral("Saving the PDF was cancelled.");
        m_cancelled = true;
        return false;
    }
    m_chosenPdf = QFileInfo(path).absoluteFilePath();
    return true;
}

QString QtPrinter::targetName() const
{
    const QString path = m_pdfFile.isEmpty() ? m_chosenPdf : m_pdfFile;
    if (!pdfChosen() || path.isEmpty())
        return currentName();
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void QtPrinter::setDocumentName(const QString &name) { m_documentName = name; }

void QtPrinter::setOrientation(int orientation)
{
    m_orientation = orientation == 2 ? 2 : 1;
    configurePrinter();
}

QSizeF QtPrinter::paperTwips() const
{
    return numora::paperTwips(pdfChosen() ? QPageSize(QPageSize::A4) : m_printer->pageLayout().pageSize(),
                              m_orientation);
}

double QtPrinter::paperWidth() { return paperTwips().width(); }

double QtPrinter::paperHeight() { return paperTwips().height(); }

void QtPrinter::setUpPreview(QPrinter &preview) const
{
    if (pdfChosen()) {
        preview.setPageSize(QPageSize(QPageSize::A4));
        preview.setFullPage(true);
    } else {
        preview.setPageLayout(m_printer->pageLayout());
        preview.setFullPage(false);
    }
    preview.setPageOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QPointF QtPrinter::drawingOrigin() { return printableTwips().topLeft(); }

QRectF QtPrinter::printableTwips() const
{
    if (pdfChosen())
        return QRectF(QPointF(), paperTwips());
    QPageLayout layout = m_printer->pageLayout();
    layout.setOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    layout.setMode(QPageLayout::StandardMode);
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    return {QPointF(mmToTwips(mm.x()), mmToTwips(mm.y())), QSizeF(mmToTwips(mm.width()), mmToTwips(mm.height()))};
}

PrintArea QtPrinter::printArea()
{
    PrintArea area;
    const QSizeF paper = paperTwips();
    area.paperWidth = paper.width();
    area.paperHeight = paper.height();
    const QRectF printable = printableTwips();
    area.left = printable.left();
    area.top = printable.top();
    area.width = printable.width();
    area.height = printable.height();
    area.calibration = calibration();
    return area;
}

PrinterCalibration QtPrinter::calibration() const
{
    if (m_pinned)
        return *m_pinned;
    return calibrationFor ? calibrationFor(currentName()) : PrinterCalibration{};
}

void QtPrinter::setFontName(const QString &name)
{
    if (name != m_fontName) {
        m_fontName = name;
        m_fontChanged = true;
    }
}

void QtPrinter::setFontSize(double points)
{
    if (points != m_fontSize) {
        m_fontSize = points;
        m_fontChanged = true;
    }
}

void QtPrinter::setFontBold(bool bold)
{
    if (bold != m_bold) {
        m_bold = bold;
        m_fontChanged = true;
    }
}

void QtPrinter::setFontItalic(bool italic)
{
    if (italic != m_italic) {
        m_italic = italic;
        m_fontChanged = true;
    }
}

void QtPrinter::setForeColor(qint32 colour)
{
    if (colour != m_foreColour) {
        m_foreColour = colour;
        m_textColourValid = false;
    }
}

void QtPrinter::applyFont()
{
    // Texts waiting in the batch were set in the font before.
    flushPending();
    m_font = printFont(m_fontName, m_fontSize, m_bold, m_italic);
    m_painter.setFont(m_font);
    // Metrics of the printer's own resolution: the text's top is placed
    // from the ascent the printed glyphs really have.
    m_ascent = QFontMetricsF(m_font, m_printer.get()).ascent();
    m_rawFont = QRawFont::fromFont(QFont(m_font, m_printer.get()));
    m_plain.assign(m_rawFont.isValid() ? plainTableSize : 0, PlainUnknown);
    m_fontChanged = false;
}

// Whether the text may skip shaping: printable ASCII only, each character and
// each neighbouring pair coming out of the shaper exactly as the font's own
// glyphs and kerned advances would (no ligature, no contextual kerning). A
// pair is tried once per font, through the shaper itself.
bool QtPrinter::plainText(const QString &text)
{
    if (m_plain.empty() || text.isEmpty())
        return false;
    const QChar *c = text.constData();
    const qsizetype n = text.size();
    const auto inRange = [](char16_t u) { return u >= firstPlain && u <= lastPlain; };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t next = i + 1 < n ? c[i + 1].unicode() : 0;
        if (!inRange(c[i].unicode()) || (next && !inRange(next)))
            return false;
        const std::size_t index = plainIndex(c[i].unicode(), next);
        if (m_plain[index] == PlainUnknown)
            m_plain[index] = shapesPlainly(QString(c + i, i + 1 < n ? 2 : 1)) ? PlainYes : PlainNo;
        if (m_plain[index] == PlainNo)
            return false;
    }
    return true;
}

bool QtPrinter::shapesPlainly(const QString &sample) const
{
    QTextLayout layout(sample, m_font, m_printer.get());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QList<quint32> shapedGlyphs;
    QList<QPointF> shapedPositions;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        shapedGlyphs += run.glyphIndexes();
        shapedPositions += run.positions();
    }
    const QList<quint32> glyphs = m_rawFont.glyphIndexesForString(sample);
    if (glyphs != shapedGlyphs || glyphs.contains(0u))
        return false; // replaced, joined, or missing from the font
    const QList<QPointF> advances = m_rawFont.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    double x = shapedPositions.value(0).x();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (qAbs(shapedPositions.at(i).x() - x) > 0.01)
            return false;
        x += advances.at(i).x();
    }
    return true;
}

void QtPrinter::queueText(const QString &text, QPointF baseline)
{
    if (!m_glyphs.isEmpty() && m_batchColour != m_textColour)
        flushPending();
    m_batchColour = m_textColour;
    // One glyph per character: plainText() let nothing else through.
    const int n = int(text.size());
    m_glyphScratch.resize(std::size_t(n));
    m_advanceScratch.resize(std::size_t(n));
    int count = n;
    m_rawFont.glyphIndexesForChars(text.constData(), n, m_glyphScratch.data(), &count);
    m_rawFont.advancesForGlyphIndexes(m_glyphScratch.data(), m_advanceScratch.data(), n, QRawFont::KernedAdvances);
    double x = baseline.x();
    for (int i = 0; i < n; ++i) {
        m_glyphs.append(m_glyphScratch[std::size_t(i)]);
        m_positions.append(QPointF(x, baseline.y()));
        x += m_advanceScratch[std::size_t(i)].x();
    }
    m_batchBounds.append(QRectF(baseline.x(), baseline.y() - m_rawFont.ascent(), x - baseline.x(),
                                m_rawFont.ascent() + m_rawFont.descent()));
}

void QtPrinter::drawBoxes(QList<PendingBox> &boxes, bool filled)
{
    QVarLengthArray<QRectF, 32> rects;
    for (qsizetype i = 0; i < boxes.size();) {
        const QColor colour = boxes.at(i).colour;
        rects.clear();
        for (; i < boxes.size() && boxes.at(i).colour == colour; ++i)
            rects.append(boxes.at(i).rect);
        if (filled) {
            if (m_penState != PenState::None) {
                m_painter.setPen(Qt::NoPen);
                m_penState = PenState::None;
            }
            useBrush(&colour);
        } else {
            useLinePen(colour);
            useBrush(nullptr);
        }
        m_painter.drawRects(rects.constData(), int(rects.size()));
    }
    boxes.clear();
}

void QtPrinter::drawCodes()
{
    // Each code is written in its own modules, under a scale of its own:
    // small whole numbers, a third fewer bytes for the PDF writer to
    // compress than the same bars in device pixels.
    if (m_penState != PenState::None) {
        m_painter.setPen(Qt::NoPen);
        m_penState = PenState::None;
    }
    const QColor black(Qt::black);
    useBrush(&black);
    const QTransform page = m_painter.transform();
    for (const PendingCode &code : std::as_const(m_codes)) {
        m_painter.setTransform(QTransform(code.sx, 0, 0, code.sy, code.origin.x(), code.origin.y()) * page);
        m_painter.drawRects(code.bars.constData(), int(code.bars.size()));
    }
    m_painter.setTransform(page);
    m_codes.clear();
    m_codeBounds.clear();
}

void QtPrinter::flushPending()
{
    if (!m_fills.isEmpty())
        drawBoxes(m_fills, true);
    if (!m_codes.isEmpty())
        drawCodes();
    if (!m_outlines.isEmpty())
        drawBoxes(m_outlines, false);
    if (m_glyphs.isEmpty())
        return;
    useLinePen(m_batchColour);
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(m_glyphs);
    run.setPositions(m_positions);
    m_painter.drawGlyphRun(QPointF(0, 0), run);
    m_glyphs.clear();
    m_positions.clear();
    m_batchBounds.clear();
}

void QtPrinter::dropPending()
{
    m_fills.clear();
    m_codes.clear();
    m_codeBounds.clear();
    m_outlines.clear();
    m_glyphs.clear();
    m_positions.clear();
    m_batchBounds.clear();
}

void QtPrinter::useLinePen(const QColor &colour)
{
    if (m_penState == PenState::Line && m_penColour == colour)
        return;
    // Texts use the outlines' hairline (only its colour matters to them),
    // so that a box outline in the text's colour costs no change of pen.
    m_painter.setPen(hairlinePen(colour));
    m_penState = PenState::Line;
    m_penColour = colour;
}

void QtPrinter::useBrush(const QColor *colour)
{
    if (!colour) {
        if (m_brushState != BrushState::None)
            m_painter.setBrush(Qt::NoBrush);
        m_brushState = BrushState::None;
    } else if (m_brushState != BrushState::Solid || m_brushColour != *colour) {
        m_painter.setBrush(*colour);
        m_brushState = BrushState::Solid;
        m_brushColour = *colour;
    }
}

bool QtPrinter::print(const QString &text)
{
    if (m_state != State::Open && !startDocument())
        return false;
    if (m_fontChanged)
        applyFont();
    if (!m_textColourValid) {
        m_textColour = resolveColour(m_foreColour, QGuiApplication::palette());
        m_textColourValid = true;
    }
    const QPointF baseline = textBaseline(m_x, m_y, *m_printer, m_ascent);
    // Plain texts wait and go out together, as one run of glyphs per page:
    // shaping each number and writing each as a text object of its own took
    // half the time of a run. The PDF still carries them as text.
    if (plainText(text)) {
        queueText(text, baseline);
    } else {
        flushPending();
        useLinePen(m_textColour);
        m_painter.drawText(baseline, text);
    }
    return true;
}

bool QtPrinter::line(double x1, double y1, double x2, double y2, qint32 colour, bool filled)
{
    if (m_state != State::Open && !startDocument())
        return false;
    if (!m_boxColourValid || colour != m_boxColourValue) {
        m_boxColour = resolveColour(colour, QGuiApplication::palette());
        m_boxColourValue = colour;
        m_boxColourValid = true;
    }
    const QRectF box =
        QRectF(QPointF(x1 * m_pxPerTwipX, y1 * m_pxPerTwipY), QPointF(x2 * m_pxPerTwipX, y2 * m_pxPerTwipY))
            .normalized();
    makeRoomFor(box, filled);
    (filled ? m_fills : m_outlines).append(PendingBox{box, m_boxColour});
    return true;
}

void QtPrinter::makeRoomFor(const QRectF &box, bool filled)
{
    // Boxes wait like texts and go out together: fills, then outlines, then
    // texts. That is the order they were drawn in unless a box overlaps
    // something drawn before it that would come out later; then what waits
    // goes out first.
    const QRectF reach = box.adjusted(-1, -1, 1, 1);
    const auto overlaps = [&reach](const auto &list, auto rectOf) {
        return std::any_of(list.cbegin(), list.cend(),
                           [&](const auto &item) { return rectOf(item).intersects(reach); });
    };
    const auto itself = [](const QRectF &r) { return r; };
    const auto boxRect = [](const PendingBox &b) { return b.rect; };
    // Codes go out after the fills: a box filled over a waiting code would
    // come out under it.
    if (overlaps(m_batchBounds, itself) || (filled && overlaps(m_outlines, boxRect))
        || (filled && overlaps(m_codeBounds, itself)))
        flushPending();
}

double QtPrinter::moduleDots(double exact) { return std::max(1.0, std::round(exact)); }

double QtPrinter::codeModule(double moduleTwips) const
{
    return m_pxPerTwipX > 0 ? moduleDots(moduleTwips * m_pxPerTwipX) / m_pxPerTwipX : moduleTwips;
}

bool QtPrinter::drawCode(const CodeShapes &code, double x, double y, double moduleTwips)
{
    if (m_state != State::Open && !startDocument())
        return false;
    // A code's bars wait with the filled boxes and go out after them. Each
    // module takes whole device dots, so that every bar prints exactly as
    // wide as its like (and the page's numbers are short to write).
    const double sx = moduleDots(moduleTwips * m_pxPerTwipX);
    const double sy = moduleDots(moduleTwips * m_pxPerTwipY);
    const QPointF origin(std::round(x * m_pxPerTwipX), std::round(y * m_pxPerTwipY));
    // Only the dark bars count for what they would cover: the quiet zone
    // beside a number's text carries nothing.
    if (code.bars.isEmpty())
        return true;
    double left = code.width, top = code.height, right = 0, bottom = 0;
    for (const QRectF &bar : code.bars) {
        left = std::min(left, bar.left());
        top = std::min(top, bar.top());
        right = std::max(right, bar.right());
        bottom = std::max(bottom, bar.bottom());
    }
    const QRectF inkOnPage(origin + QPointF(left * sx, top * sy), QSizeF((right - left) * sx, (bottom - top) * sy));
    makeRoomFor(inkOnPage, true);
    m_codes.append(PendingCode{origin, sx, sy, code.bars});
    m_codeBounds.append(inkOnPage);
    return true;
}

bool QtPrinter::newPage()
{
    // Like any output, a new page starts the document; its first page is
    // then left blank.
    if (m_state != State::Open && !startDocument())
        return false;
    flushPending();
    if (partFull())
        return handOverPart() && beginPart();
    if (!m_printer->newPage())
        return fail(QStringLiteral("The printer %1 did not take a new page.").arg(currentName()));
    ++m_pagesInPart;
    return true;
}

int QtPrinter::partCount() const
{
    if (m_partPages <= 0 || pdfChosen() || m_documentPages <= m_partPages)
        return 1;
    return int((m_documentPages + m_partPages - 1) / m_partPages);
}

QList<int> QtPrinter::partJobs() const
{
    QList<int> ids;
    for (const PrintedJob &j : m_jobs)
        ids.append(j.jobId);
    return ids;
}

bool QtPrinter::partFull() const { return partCount() > 1 && m_pagesInPart >= m_partPages; }

void QtPrinter::throwAway()
{
    dropPending();
    m_printer->abort();
    m_painter.end();
    m_target->discard(*m_printer);
    m_target.reset();
}

bool QtPrinter::fail(const QString &why)
{
    m_error = why;
    if (m_state == State::Open)
        throwAway();
    m_state = State::Failed;
    return false;
}

bool QtPrinter::startDocument()
{
    if (m_state == State::Failed)
        return false;
    m_error.clear();
    m_cancelled = false;
    m_jobId = 0;
    m_pagesTaken = 0;
    m_partsBegun = 0;
    m_jobs.clear();
    configurePrinter();
    return beginPart();
}

bool QtPrinter::beginPart()
{
    const QString name = m_documentName.isEmpty() ? QGuiApplication::applicationDisplayName() : m_documentName;
    const int parts = partCount();
    m_printer->setDocName(parts > 1 ? QStringLiteral("%1 (part %2 of %3)").arg(name).arg(m_partsBegun + 1).arg(parts)
                                    : name);

    std::unique_ptr<PrintTarget> target;
    if (pdfChosen()) {
        QString path = m_pdfFile;
        if (path.isEmpty()) {
            // Asked here when the run did not settle its file beforehand.
            if (m_chosenPdf.isEmpty() && !chooseTarget())
                return fail(m_error);
            path = std::exchange(m_chosenPdf, QString());
        }
        if (const QString refused = pdfDestinationProblem(path); !refused.isEmpty())
            return fail(refused);
        target = std::make_unique<PdfFileTarget>(path);
    } else {
        target = std::make_unique<CupsSpoolTarget>(m_systemNames.at(m_current), m_orientation == 2);
    }
    if (const QString refused = target->prepare(*m_printer); !refused.isEmpty())
        return fail(refused);
    if (!m_painter.begin(m_printer.get())) {
        target->discard(*m_printer);
        return fail(target->notStarted());
    }
    m_target = std::move(target);
    ++m_partsBegun;
    m_pagesInPart = 1;

    m_state = State::Open;
    // Said here rather than left to the painter's default: the sample and
    // the preview lay out number texts by this same rule.
    m_painter.setLayoutDirection(NumberTextDirection);
    // The printer's own correction moves and scales the whole page; the
    // run's places stay as the layout gives them.
    m_painter.setTransform(calibrationTransform(*m_printer, calibration()));
    const QPointF scale = pixelsPerTwip(*m_printer);
    m_pxPerTwipX = scale.x();
    m_pxPerTwipY = scale.y();
    // A new painter state: font and pens are set again at their first use.
    m_fontChanged = true;
    m_textColourValid = false;
    m_boxColourValid = false;
    m_penState = PenState::Unknown;
    m_brushState = BrushState::Unknown;
    return true;
}

bool QtPrinter::endDoc()
{
    if (m_state == State::Idle)
        return true; // nothing was printed: nothing to send
    if (m_state == State::Failed) {
        m_state = State::Idle;
        return false;
    }
    flushPending();
    const bool handedOver = handOverPart();
    m_state = State::Idle; // the document is over, failed or not
    return handedOver;
}

bool QtPrinter::handOverPart()
{
    const bool ended = m_painter.end();
    const bool finished = ended && m_printer->printerState() != QPrinter::Error;
    m_state = State::Idle;
    const std::unique_ptr<PrintTarget> target = std::move(m_target);
    const QString why = target->complete(*m_printer, finished);
    m_jobId = target->jobId();
    if (!why.isEmpty())
        return fail(why);
    if (m_jobId != 0)
        m_jobs.push_back({m_partsBegun, m_jobId, m_pagesTaken + 1, m_pagesTaken + m_pagesInPart});
    m_pagesTaken += m_pagesInPart;
    m_pagesInPart = 0;
    return true;
}

void QtPrinter::abortDocument()
{
    if (m_state == State::Open)
        throwAway();
    // A file asked for a run that never started is asked for again.
    m_chosenPdf.clear();
    m_state = State::Idle;
}

QString QtPrinter::pdfDestinationProblem(const QString &path) const
{
    return PdfFileTarget::destinationProblem(path, protectedFiles);
}

QString QtPrinter::pdfFileProposal() const
{
    if (!m_dialogPdfFile.isEmpty())
        return m_dialogPdfFile;
    QString base = fileSafe(m_documentName);
    if (base.isEmpty())
        base = fileSafe(QGuiApplication::applicationDisplayName());
    if (base.isEmpty())
        base = QStringLiteral("Numbers");
    if (!base.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        base += QStringLiteral(".pdf");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return folder + QLatin1Char('/') + base;
}

bool QtPrinter::runSetupDialog(QWidget *parent)
{
    if (m_state == State::Open)
        return false;
    refreshPrinters();
    QPrintDialog dialog(m_printer.get(), parent);
    // The run's pages are chosen in the print form, not here.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        if (m_printer->outputFormat() == QPrinter::PdfFormat) {
            m_current = pdfIndex();
            if (!m_printer->outputFileName().isEmpty())
                m_dialogPdfFile = m_printer->outputFileName();
        } else {
            int i = int(m_systemNames.indexOf(m_printer->printerName()));
            if (i < 0) {
                // Added while the dialog was open.
                m_systemNames = QPrinterInfo::availablePrinterNames();
                i = int(m_systemNames.indexOf(m_printer->printerName()));
            }
            m_current = i >= 0 ? i : pdfIndex();
        }
    }
    configurePrinter();
    return accepted;
}

} // namespace numora
