#include "NumberPlacement.h"
#include "CodeMaker.h"
#include "platform/CodeShapes.h"
#include "layout/LayoutDocument.h"
#include "platform/Numeric.h"
#include "platform/Printer.h"
#include "platform/TextMeasure.h"

#include <utility>

namespace numora {

namespace {
double wholeTwips(double v) { return double(roundHalfEven(v).value_or(0)); }
} // namespace

NumberPlacement::NumberPlacement(const LayoutDocument &doc, double paperWidth, double paperHeight)
    : m_doc(doc)
    , m_paperWidth(wholeTwips(paperWidth))
    , m_paperHeight(wholeTwips(paperHeight))
    , m_boxed(doc.borderLine.value() == 1)
{
    const QString &code = doc.orientationCode.caption();
    if (code == QLatin1String("6"))
        m_mapping = Mapping::Standing;
    else if (code == QLatin1String("4"))
        m_mapping = Mapping::Lying;
}

int NumberPlacement::printerOrientation(const LayoutDocument &doc)
{
    return doc.orientationCode.caption() == QLatin1String("4") ? 2 : 1;
}

FontSpec NumberPlacement::boxFont(const LayoutDocument &doc)
{
    FontSpec f;
    f.name = doc.fontName.text();
    f.size = leadingNumber(doc.fontSize.text());
    f.bold = true;
    return f;
}

FontSpec NumberPlacement::textFont(const LayoutDocument &doc) { return doc.sampleLabel.font(); }

PrintArea NumberPlacement::printArea(Printer &printer, const LayoutDocument &doc)
{
    PrintArea area = printer.printArea();
    const bool lying = area.paperWidth > area.paperHeight;
    if (lying == (printerOrientation(doc) == 2) || area.paperWidth == area.paperHeight)
        return area;
    // The printer is set for the other orientation until the job sets the
    // layout's: the paper turns, its margins stay on their sides, as the
    // printer lays out a turned page.
    const double right = area.paperWidth - area.left - area.width;
    const double bottom = area.paperHeight - area.top - area.height;
    std::swap(area.paperWidth, area.paperHeight);
    area.width = area.paperWidth - area.left - right;
    area.height = area.paperHeight - area.top - bottom;
    return area;
}

QRectF NumberPlacement::onPaper(const PrintArea &area, const QRectF &r)
{
    return QRectF(QPointF(area.paperX(r.left()), area.paperY(r.top())),
                  QPointF(area.paperX(r.right()), area.paperY(r.bottom())));
}

QPointF NumberPlacement::anchor(double topCm, double leftCm) const
{
    // The long edge counts 29.7 cm and the short one 21 cm of the paper,
    // whatever its real size.
    if (m_mapping == Mapping::Standing)
        return {wholeTwips(leftCm * (m_paperHeight / 29.7)), wholeTwips(topCm * (m_paperWidth / 21))};
    return {wholeTwips(topCm * (m_paperHeight / 21)), wholeTwips(leftCm * (m_paperWidth / 29.7))};
}

QPointF NumberPlacement::textCorner(QPointF anchor) { return anchor - QPointF(120, 170); }

NumberPlacement::BoxCorners NumberPlacement::box(QPointF anchor, QSizeF measured)
{
    return {QPointF(anchor.x() - 150, anchor.y() - 200),
            QPointF(anchor.x() + measured.width() - 90, anchor.y() + measured.height() - 170)};
}

NumberPlacement::Extent NumberPlacement::extent(double topCm, double leftCm, const QString &text,
                                                TextMeasure &measure, CodeMaker *codes) const
{
    const QPointF at = anchor(topCm, leftCm);
    Extent e;
    double w = 0, h = 0;
    measure.measure(text, textFont(m_doc), w, h);
    e.text = QRectF(textCorner(at), QSizeF(w, h));
    if (m_boxed) {
        measure.measure(text, boxFont(m_doc), w, h);
        const BoxCorners corners = box(at, QSizeF(w, h));
        e.box = QRectF(corners.from, corners.to).normalized();
    }
    if (codes && m_doc.code.used()) {
        codes->setSettings(m_doc.code);
        const std::optional<QString> value = CodeMaker::valueOfShown(m_doc.code, text);
        if (const auto shapes = value ? codes->shapes(*value) : nullptr)
            e.code = codeExtent(m_doc.code, QSizeF(shapes->width, shapes->height), e.text);
    }
    return e;
}

} // namespace numora
