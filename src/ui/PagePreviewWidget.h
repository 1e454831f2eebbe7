#pragma once
#include "platform/controls/Label.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

namespace numora {
class CodeMaker;
class LayoutDocument;
class PagePreview;
class Printer;
class TextMeasure;
struct CodeSettings;
struct PrintArea;
} // namespace numora

namespace numora::ui {

// The page preview Picture2: the white page with its centimetre grid, the
// crosshair and the twelve number boxes, each showing its number label.
// Everything is drawn from the model in preview units (275 to the
// centimetre) and scaled as a whole to fit the widget, so that positions,
// sizes and texts keep their proportions in both orientations.
class PagePreviewWidget : public QWidget
{
public:
    PagePreviewWidget(PagePreview &preview, const std::array<std::unique_ptr<Label>, 12> &labels,
                      QWidget *parent = nullptr);
    ~PagePreviewWidget() override;

    // Draws the layout's code beside every number, as it prints.
    void showCodes(const CodeSettings &settings);

    // Pixels per preview unit, and where the page's top-left corner is.
    double scale() const;
    QPointF pageOrigin() const;
    QRectF pageRect() const;
    // Widget pixels to preview units and back: the one mapping the drawing
    // and the mouse share.
    QPointF toUnits(const QPointF &pos) const;
    QPointF toPixels(const QPointF &units) const;

    // From then on each number is drawn as the job prints it on that
    // printer, in place of its box's label: its text in its font, size,
    // bold and italic, its box, at its place on the paper.
    void showPrinted(LayoutDocument &doc, Printer &printer, TextMeasure &measure);
    // Where number n is drawn, in widget pixels: its printed extent (its
    // text and its box); empty when it is not drawn.
    QRectF printedRect(int n) const;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    static constexpr int Margin = 10;
    bool onPage(QMouseEvent *e) const;
    // The slot whose box is under the point (in units), 0 for none.
    int boxAt(const QPointF &units) const;
    void forward(MouseAction a, QMouseEvent *e, int target);
    void paintLine(QPainter &p, const LineItem &l, double dpr) const;
    void paintBox(QPainter &p, int n);
    // The drawing of the numbers as they print; none until showPrinted().
    struct Printed;
    std::optional<Printed> printed(int n, const PrintArea &area) const;
    PrintArea printArea() const;
    void paintPrinted(QPainter &p, int n, const PrintArea &area);
    // Paper twips to widget pixels.
    QPointF paperToPixels(const QPointF &twips) const;
    // The layout's code beside a number whose text stands at textTwips, the
    // painter counting in twips.
    void paintCode(QPainter &p, int n, const QRectF &textTwips);

    PagePreview &m_preview;
    std::array<Label *, 12> m_labels{};
    // The box (or 0 for the page) that took the last button press: the
    // pointer stays with it until the button is released, as a mouse grab.
    int m_grab = -1;
    LayoutDocument *m_doc = nullptr;
    Printer *m_printer = nullptr;
    TextMeasure *m_measure = nullptr;
    const CodeSettings *m_code = nullptr;
    std::unique_ptr<CodeMaker> m_codes;
};

} // namespace numora::ui
