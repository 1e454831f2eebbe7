#include "QtPrinter.h"
#include "PrintDrawing.h"
#include "QtFonts.h"
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
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTextLayout>
#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cups/cups.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>
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

// Qt Print Support keeps the print system's own options (those of the
// print dialog's properties page) under this key of its CUPS engine.
constexpr auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

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

// Why a file cannot be created, in the words of the file system.
QString whyNotWritable(const QString &path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder.path()));
    if (info.isDir())
        return QStringLiteral("it is a folder");
    const bool existed = info.exists();
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
        return probe.errorString();
    probe.close();
    if (!existed)
        probe.remove();
    return QStringLiteral("the file cannot be written");
}

// Whether the file ends with a PDF trailer: a disk that filled up on the
// way leaves a file without one, and Qt does not report the lost writes.
bool pdfComplete(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 16)
        return false;
    f.seek(f.size() - 16);
    return f.read(16).contains("%%EOF");
}

} // namespace

QString QtPrinter::pdfEntryName() { return QStringLiteral("Save as PDF"); }

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

QPointF QtPrinter::drawingOrigin()
{
    if (pdfChosen())
        return {};
    QPageLayout layout = m_printer->pageLayout();
    layout.setOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    layout.setMode(QPageLayout::StandardMode);
    const QPointF mm = layout.paintRect(QPageLayout::Millimeter).topLeft();
    return {mmToTwips(mm.x()), mmToTwips(mm.y())};
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

void QtPrinter::flushPending()
{
    if (!m_fills.isEmpty())
        drawBoxes(m_fills, true);
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
    if (overlaps(m_batchBounds, itself) || (filled && overlaps(m_outlines, boxRect)))
        flushPending();
    (filled ? m_fills : m_outlines).append(PendingBox{box, m_boxColour});
    return true;
}

bool QtPrinter::newPage()
{
    // Like any output, a new page starts the document; its first page is
    // then left blank.
    if (m_state != State::Open && !startDocument())
        return false;
    flushPending();
    if (!m_printer->newPage())
        return fail(QStringLiteral("The printer %1 did not take a new page.").arg(currentName()));
    return true;
}

bool QtPrinter::fail(const QString &why)
{
    m_error = why;
    if (m_state == State::Open) {
        dropPending();
        m_printer->abort();
        m_painter.end();
        dropOutput();
    }
    m_state = State::Failed;
    return false;
}

void QtPrinter::dropOutput()
{
    if (!m_outputPath.isEmpty())
        QFile::remove(m_outputPath);
    m_outputPath.clear();
}

bool QtPrinter::checkPrinterReachable(const QString &name)
{
    const int slash = int(name.indexOf(QLatin1Char('/')));
    const QByteArray queue = (slash >= 0 ? name.left(slash) : name).toUtf8();
    const QByteArray instance = slash >= 0 ? name.mid(slash + 1).toUtf8() : QByteArray();
    cups_dest_t *dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) {
        const ipp_status_t status = cupsLastError();
        const QString reason = QString::fromUtf8(cupsLastErrorString());
        // An unreachable print system looks like a missing printer here;
        // tell the two apart, the operator's remedy differs.
        if (http_t *server =
                httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr)) {
            httpClose(server);
            if (status == IPP_STATUS_ERROR_NOT_FOUND)
                return fail(QStringLiteral("The printer %1 is not installed any more.").arg(name));
            return fail(QStringLiteral("The printer %1 cannot be reached: %2").arg(name, reason));
        }
        return fail(QStringLiteral("The printer %1 cannot be reached: the print system does not answer (%2).")
                        .arg(name, QString::fromUtf8(cupsLastErrorString())));
    }
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && std::strcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (refuses)
        return fail(QStringLiteral("The printer %1 is not accepting documents at the moment.").arg(name));
    return true;
}

bool QtPrinter::startDocument()
{
    if (m_state == State::Failed)
        return false;
    m_error.clear();
    m_cancelled = false;
    m_jobId = 0;
    configurePrinter();
    m_printer->setDocName(m_documentName.isEmpty() ? QGuiApplication::applicationDisplayName() : m_documentName);

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
        // A link stays a link: the document replaces the file it points to.
        const QFileInfo named(path);
        m_pdfDestination = named.isSymLink() && named.exists() ? named.canonicalFilePath() : path;
        // The document is written beside its destination and put in its
        // place only once complete (endDoc): a failed or killed run leaves
        // whatever was there before.
        const QFileInfo destination(m_pdfDestination);
        QTemporaryFile part(destination.absolutePath() + QStringLiteral("/.") + destination.fileName()
                            + QStringLiteral(".XXXXXX"));
        part.setAutoRemove(false);
        if (!part.open())
            return fail(QStringLiteral("The PDF cannot be written to %1: %2.")
                            .arg(QDir::toNativeSeparators(path), part.errorString()));
        m_outputPath = part.fileName();
        part.close();
        m_printer->setOutputFileName(m_outputPath);
        m_spooling = false;
        if (!m_painter.begin(m_printer.get())) {
            dropOutput();
            return fail(QStringLiteral("The PDF cannot be written to %1: %2.")
                            .arg(QDir::toNativeSeparators(path), whyNotWritable(path)));
        }
    } else {
        const QString name = m_systemNames.at(m_current);
        if (!checkPrinterReachable(name))
            return false;
        QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/numora-print-XXXXXX"));
        spool.setAutoRemove(false);
        if (!spool.open())
            return fail(QStringLiteral("The document for %1 cannot be prepared: %2 (%3).")
                            .arg(name, spool.errorString(), QDir::toNativeSeparators(QDir::tempPath())));
        m_outputPath = spool.fileName();
        spool.close();
        m_printer->setOutputFileName(m_outputPath);
        m_spooling = true;
        if (!m_painter.begin(m_printer.get())) {
            dropOutput();
            return fail(QStringLiteral("The printer %1 could not start the document.").arg(name));
        }
    }

    m_state = State::Open;
    // Said here rather than left to the painter's default: the sample and
    // the preview lay out number texts by this same rule.
    m_painter.setLayoutDirection(NumberTextDirection);
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

bool QtPrinter::submitSpool()
{
    const QString name = m_systemNames.at(m_current);
    const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray file = QFile::encodeName(m_outputPath);
    const QByteArray title = m_printer->docName().toUtf8();

    // The options Qt's own CUPS engine sends with a document, so that the
    // choices of the print dialog apply.
    int count = 0;
    cups_option_t *options = nullptr;
    auto add = [&](const QByteArray &key, const QByteArray &value) {
        count = cupsAddOption(key.constData(), value.constData(), count, &options);
    };
    add("media", m_printer->pageLayout().pageSize().key().toUtf8());
    if (m_printer->copyCount() > 1) {
        add("copies", QByteArray::number(m_printer->copyCount()));
        if (m_printer->collateCopies())
            add("Collate", "True");
    }
    const bool landscape = m_orientation == 2;
    switch (m_printer->duplex()) {
    case QPrinter::DuplexNone: add("sides", "one-sided"); break;
    case QPrinter::DuplexAuto: add("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge"); break;
    case QPrinter::DuplexLongSide: add("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: add("sides", "two-sided-short-edge"); break;
    }
    if (landscape)
        add("landscape", "");
    const QStringList dialogOptions = m_printer->printEngine()->property(cupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < dialogOptions.size(); i += 2)
        add(dialogOptions.at(i).toUtf8(), dialogOptions.at(i + 1).toUtf8());

    const int job = cupsPrintFile(queue.constData(), file.constData(), title.constData(), count, options);
    cupsFreeOptions(count, options);
    dropOutput();
    if (job <= 0)
        return fail(QStringLiteral("The printer %1 did not take the document: %2")
                        .arg(name, QString::fromUtf8(cupsLastErrorString())));
    m_jobId = job;
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
    const bool ended = m_painter.end();
    const bool engineError = m_printer->printerState() == QPrinter::Error;
    m_state = State::Idle;
    bool ok = true;
    if (m_spooling) {
        if (!ended || engineError) {
            dropOutput();
            ok = fail(QStringLiteral("The document for %1 could not be finished.").arg(currentName()));
        } else {
            ok = submitSpool();
        }
        m_printer->setOutputFileName(QString());
    } else if (!ended || engineError || !pdfComplete(m_outputPath)) {
        dropOutput();
        ok = fail(QStringLiteral("The PDF %1 could not be written completely; is the disk full?")
                      .arg(QDir::toNativeSeparators(m_pdfDestination)));
    } else if (const QString why = putPdfInPlace(); !why.isEmpty()) {
        dropOutput();
        ok = fail(QStringLiteral("The PDF %1 could not be written: %2.")
                      .arg(QDir::toNativeSeparators(m_pdfDestination), why));
    }
    m_outputPath.clear();
    if (!ok)
        m_state = State::Idle; // the document is over, failed or not
    return ok;
}

void QtPrinter::abortDocument()
{
    if (m_state == State::Open) {
        dropPending();
        m_printer->abort();
        m_painter.end();
        // The spool file never reaches the print system; a PDF half written
        // is of no use to anyone.
        dropOutput();
        if (m_spooling)
            m_printer->setOutputFileName(QString());
    }
    m_outputPath.clear();
    // A file asked for a run that never started is asked for again.
    m_chosenPdf.clear();
    m_state = State::Idle;
}

QString QtPrinter::pdfDestinationProblem(const QString &path) const
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("The PDF cannot be written to %1: %2.").arg(shown, whyNotWritable(path));
    // Only a file is replaced: a folder, a device or a pipe is not a place
    // for a document, and the rename would take the name from it.
    if (info.exists() && !info.isFile())
        return QStringLiteral("The PDF cannot be written to %1: it is not a regular file.").arg(shown);
    // The rename needs only the folder: a file its owner made read-only
    // would be replaced all the same.
    if (info.exists() && !info.isWritable())
        return QStringLiteral("The PDF cannot be written to %1: the file is read-only.").arg(shown);
    for (const QString &kept : protectedFiles) {
        if (!kept.isEmpty()
            && (info.absoluteFilePath() == QFileInfo(kept).absoluteFilePath()
                || (info.exists() && info.canonicalFilePath() == QFileInfo(kept).canonicalFilePath())))
            return QStringLiteral("The PDF cannot be written to %1: that is the program's journal.").arg(shown);
    }
    return {};
}

QString QtPrinter::putPdfInPlace()
{
    QFile done(m_outputPath);
    if (!done.open(QIODevice::ReadOnly))
        return done.errorString();
    // A PDF is read by others: it gets the permissions a new file would
    // have, or those of the file it replaces.
    const QFileInfo old(m_pdfDestination);
    if (old.exists()) {
        done.setPermissions(old.permissions());
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(done.handle(), 0666 & ~mask);
    }
    if (::fsync(done.handle()) != 0)
        return qt_error_string(errno);
    done.close();
    if (::rename(QFile::encodeName(m_outputPath).constData(), QFile::encodeName(m_pdfDestination).constData()) != 0)
        return qt_error_string(errno);
    m_outputPath.clear();
    return {};
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
