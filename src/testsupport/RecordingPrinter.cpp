#include "RecordingPrinter.h"
#include "platform/CodeShapes.h"
#include "platform/Numeric.h"
#include "ScriptedDialogs.h"

namespace numora {

namespace {

QString num(double v) { return shortestDecimal(v); }

} // namespace

QStringList RecordingPrinter::takeLines()
{
    QStringList out;
    out.swap(m_lines);
    return out;
}

bool RecordingPrinter::selectPrinter(int index)
{
    // As a real printer service: no change while a document is open.
    if (index < 0 || index >= m_names.size() || m_open)
        return false;
    m_current = index;
    return true;
}

void RecordingPrinter::setOrientation(int orientation)
{
    m_orientation = orientation;
    record(QStringLiteral("Orientation ") + QString::number(orientation));
}

void RecordingPrinter::setFontName(const QString &name)
{
    record(QStringLiteral("FontName ") + ScriptedDialogs::quoted(name));
}

void RecordingPrinter::setFontSize(double points) { record(QStringLiteral("FontSize ") + num(points)); }

void RecordingPrinter::setFontBold(bool bold)
{
    record(QStringLiteral("FontBold ") + (bold ? QLatin1Char('1') : QLatin1Char('0')));
}

void RecordingPrinter::setFontItalic(bool italic)
{
    record(QStringLiteral("FontItalic ") + (italic ? QLatin1Char('1') : QLatin1Char('0')));
}

void RecordingPrinter::setForeColor(qint32 colour) { record(QStringLiteral("ForeColor ") + QString::number(colour)); }

void RecordingPrinter::setCurrentX(double twips) { record(QStringLiteral("CurrentX ") + num(twips)); }

void RecordingPrinter::setCurrentY(double twips) { record(QStringLiteral("CurrentY ") + num(twips)); }

bool RecordingPrinter::failed()
{
    record(QStringLiteral("Failed ") + ScriptedDialogs::quoted(m_failReason));
    m_error = m_failReason;
    m_failAt = FailAt::Nowhere;
    m_broken = true;
    return false;
}

bool RecordingPrinter::ensureStarted()
{
    if (m_broken)
        return false;
    if (m_open)
        return true;
    record(QStringLiteral("StartDoc ") + ScriptedDialogs::quoted(m_docName));
    if (m_failAt == FailAt::Start)
        return failed();
    m_open = true;
    return true;
}

bool RecordingPrinter::print(const QString &text)
{
    if (!ensureStarted())
        return false;
    record(QStringLiteral("Print ") + ScriptedDialogs::quoted(text));
    return true;
}

bool RecordingPrinter::line(double x1, double y1, double x2, double y2, qint32 colour, bool filled)
{
    if (!ensureStarted())
        return false;
    record(QStringLiteral("Line %1 %2 %3 %4 %5 %6")
               .arg(filled ? QStringLiteral("BF") : QStringLiteral("B"), num(x1), num(y1), num(x2), num(y2))
               .arg(colour));
    return true;
}

bool RecordingPrinter::drawCode(const CodeShapes &code, double x, double y, double moduleTwips)
{
    if (!ensureStarted())
        return false;
    record(QStringLiteral("Code %1 %2 %3 %4 %5")
               .arg(ScriptedDialogs::quoted(code.value), num(x), num(y), num(x + code.width * moduleTwips),
                    num(y + code.height * moduleTwips)));
    return true;
}

bool RecordingPrinter::newPage()
{
    if (m_broken)
        return false;
    record(QStringLiteral("NewPage"));
    return true;
}

bool RecordingPrinter::endDoc()
{
    if (m_broken)
        return false;
    record(QStringLiteral("EndDoc"));
    m_open = false;
    if (m_failAt == FailAt::End)
        return failed();
    return true;
}

void RecordingPrinter::abortDocument()
{
    // A failed document is gone; the next one starts afresh.
    m_open = false;
    m_broken = false;
}

} // namespace numora
