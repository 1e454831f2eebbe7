#include "PainterPrinter.h"
#include "PrintDrawing.h"
#include "platform/CodeShapes.h"
#include "QtFonts.h"
#include "platform/qt/QtColour.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPalette>
#include <QPrinter>

namespace numora {

PainterPrinter::PainterPrinter(QPrinter &printer)
    : m_printer(printer)
{}

PainterPrinter::~PainterPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

QStringList PainterPrinter::printerNames() const
{
    const QString name = m_printer.printerName();
    return {name.isEmpty() ? QStringLiteral("Preview") : name};
}

void PainterPrinter::setDocumentName(const QString &name)
{
    if (!m_painter.isActive())
        m_printer.setDocName(name);
}

void PainterPrinter::setOrientation(int orientation)
{
    m_orientation = orientation == 2 ? 2 : 1;
    // The paper cannot turn while a document is drawn on it.
    if (!m_painter.isActive())
        m_printer.setPageOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

double PainterPrinter::paperWidth() { return paperTwips(m_printer.pageLayout().pageSize(), m_orientation).width(); }

double PainterPrinter::paperHeight() { return paperTwips(m_printer.pageLayout().pageSize(), m_orientation).height(); }

void PainterPrinter::setFontName(const QString &name)
{
    if (name != m_fontName) {
        m_fontName = name;
        fontChanged();
    }
}

void PainterPrinter::setFontSize(double points)
{
    if (points != m_fontSize) {
        m_fontSize = points;
        fontChanged();
    }
}

void PainterPrinter::setFontBold(bool bold)
{
    if (bold != m_bold) {
        m_bold = bold;
        fontChanged();
    }
}

void PainterPrinter::setFontItalic(bool italic)
{
    if (italic != m_italic) {
        m_italic = italic;
        fontChanged();
    }
}

bool PainterPrinter::ensureStarted()
{
    if (m_painter.isActive())
        return true;
    if (const QString refused = m_target.prepare(m_printer); !refused.isEmpty()) {
        m_error = refused;
        return false;
    }
    if (!m_painter.begin(&m_printer)) {
        m_target.discard(m_printer);
        m_error = m_target.notStarted();
        return false;
    }
    m_painter.setLayoutDirection(NumberTextDirection);
    m_painter.setTransform(calibrationTransform(m_printer, m_calibration));
    m_fontChanged = true;
    return true;
}

bool PainterPrinter::print(const QString &text)
{
    if (!ensureStarted())
        return false;
    if (m_fontChanged) {
        const QFont font = printFont(m_fontName, m_fontSize, m_bold, m_italic);
        m_painter.setFont(font);
        m_ascent = QFontMetricsF(font, &m_printer).ascent();
        m_fontChanged = false;
    }
    m_painter.setPen(hairlinePen(resolveColour(m_foreColour, QGuiApplication::palette())));
    m_painter.drawText(textBaseline(m_x, m_y, m_printer, m_ascent), text);
    return true;
}

bool PainterPrinter::line(double x1, double y1, double x2, double y2, qint32 colour, bool filled)
{
    if (!ensureStarted())
        return false;
    const QPointF scale = pixelsPerTwip(m_printer);
    const QRectF box =
        QRectF(QPointF(x1 * scale.x(), y1 * scale.y()), QPointF(x2 * scale.x(), y2 * scale.y())).normalized();
    const QColor c = resolveColour(colour, QGuiApplication::palette());
    if (filled) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(c);
    } else {
        m_painter.setPen(hairlinePen(c));
        m_painter.setBrush(Qt::NoBrush);
    }
    m_painter.drawRect(box);
    return true;
}

bool PainterPrinter::drawCode(const CodeShapes &code, double x, double y, double moduleTwips)
{
    if (!ensureStarted())
        return false;
    const QPointF scale = pixelsPerTwip(m_printer);
    m_painter.save();
    m_painter.translate(x * scale.x(), y * scale.y());
    m_painter.scale(moduleTwips * scale.x(), moduleTwips * scale.y());
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::black);
    m_painter.drawRects(code.bars.constData(), int(code.bars.size()));
    m_painter.restore();
    return true;
}

bool PainterPrinter::newPage()
{
    // Like any output, a new page starts the document.
    if (!ensureStarted())
        return false;
    if (!m_printer.newPage()) {
        m_error = QStringLiteral("The preview did not take a new page.");
        return false;
    }
    return true;
}

bool PainterPrinter::endDoc()
{
    if (!m_painter.isActive())
        return true;
    const bool ended = m_painter.end();
    if (const QString why = m_target.complete(m_printer, ended); !why.isEmpty()) {
        m_error = why;
        return false;
    }
    return true;
}

void PainterPrinter::abortDocument()
{
    if (m_painter.isActive()) {
        m_painter.end();
        m_target.discard(m_printer);
    }
}

} // namespace numora
