#pragma once
#include <QRectF>
#include <QString>

namespace numora {

class LayoutDocument;
class Printer;
class TextMeasure;
class CodeMaker;
struct FontSpec;
struct PrintArea;

// Where a number prints, in twips from the drawing area's corner. The print
// job places every number by this rule; the page preview and the pre-flight
// check read the same, so that what they show is what prints.
class NumberPlacement
{
public:
    // The paper in twips for the orientation in force.
    NumberPlacement(const LayoutDocument &doc, double paperWidth, double paperHeight);

    // The printer orientation a layout prints in: 2 lying, 1 standing.
    static int printerOrientation(const LayoutDocument &doc);
    // The font a number's box is measured in: the font fields', bold.
    static FontSpec boxFont(const LayoutDocument &doc);
    // The font the number's text prints in: the sample's.
    static FontSpec textFont(const LayoutDocument &doc);
    // Where the printer puts the layout: its area for the layout's
    // orientation, whichever orientation the printer is set for now.
    static PrintArea printArea(Printer &printer, const LayoutDocument &doc);
    // A rectangle of the drawing area as it lands on the paper (twips from
    // the paper's corner), the printer's calibration applied.
    static QRectF onPaper(const PrintArea &area, const QRectF &r);

    // False for an orientation code that prints no number.
    bool prints() const { return m_mapping != Mapping::None; }
    bool boxed() const { return m_boxed; }
    // The place a number standing at those centimetres (the slot's fields)
    // is printed from, in whole twips.
    QPointF anchor(double topCm, double leftCm) const;
    // Where the text's top-left corner goes.
    static QPointF textCorner(QPointF anchor);
    // The box round a text whose extent in the box font is `measured`: its
    // top-left and bottom-right corners, as the printer is given them.
    struct BoxCorners
    {
        QPointF from, to;
    };
    static BoxCorners box(QPointF anchor, QSizeF measured);

    // What a number covers on the page: its text in its font, its box
    // (empty without one) and the layout's code beside it (empty without
    // one, or when no maker of codes is given).
    struct Extent
    {
        QRectF text, box, code;
        QRectF whole() const
        {
            QRectF r = box.isNull() ? text : text.united(box);
            return code.isNull() ? r : r.united(code);
        }
    };
    Extent extent(double topCm, double leftCm, const QString &text, TextMeasure &measure,
                  CodeMaker *codes = nullptr) const;

private:
    enum class Mapping { None, Standing, Lying };
    const LayoutDocument &m_doc;
    double m_paperWidth = 0, m_paperHeight = 0;
    Mapping m_mapping = Mapping::None;
    bool m_boxed = false;
};

} // namespace numora
