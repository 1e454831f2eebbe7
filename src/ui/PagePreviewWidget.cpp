#include "PagePreviewWidget.h"
#include "layout/CodeSettings.h"
#include "platform/CodeShapes.h"
#include "printing/CodeMaker.h"
#include "ViewSupport.h"
#include "platform/qt/QtColour.h"
#include "platform/Numeric.h"
#include "platform/qt/PrintDrawing.h"
#include "platform/qt/QtFonts.h"
#include "layout/LayoutDocument.h"
#include "platform/Printer.h"
#include "platform/TextMeasure.h"
#include "preview/PagePreview.h"
#include "printing/NumberPlacement.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace numora::ui {

PagePreviewWidget::PagePreviewWidget(PagePreview &preview, const std::array<std::unique_ptr<Label>, 12> &labels,
                                     QWidget *parent)
    : QWidget(parent)
    , m_preview(preview)
{
    setObjectName(preview.page.name());
    setMouseTracking(true);
    const auto repaint = [](PagePreviewWidget *w) { w->update(); };
    onViewUpdate(preview.page, this, repaint);
    onViewUpdate(preview.crosshairVertical, this, repaint);
    onViewUpdate(preview.crosshairHorizontal, this, repaint);
    for (int i = 0; i < 12; ++i) {
        m_labels[std::size_t(i)] = labels[std::size_t(i)].get();
        onViewUpdate(*labels[std::size_t(i)], this, repaint);
        onViewUpdate(preview.box(i + 1), this, repaint);
    }
    for (auto &l : preview.Line25)
        onViewUpdate(*l, this, repaint);
    for (auto &l : preview.Line26)
        onViewUpdate(*l, this, repaint);
}

double PagePreviewWidget::scale() const
{
    const double w = m_preview.page.width(), h = m_preview.page.height();
    if (w <= 0 || h <= 0)
        return 0;
    return std::min((width() - 2.0 * Margin) / w, (height() - 2.0 * Margin) / h);
}

QPointF PagePreviewWidget::pageOrigin() const
{
    const double s = scale();
    const double w = m_preview.page.width() * s, h = m_preview.page.height() * s;
    // Whole pixels, so that the page edge is crisp.
    return {std::round((width() - w) / 2), std::round((height() - h) / 2)};
}

QRectF PagePreviewWidget::pageRect() const
{
    const double s = scale();
    return {pageOrigin(), QSizeF(m_preview.page.width() * s, m_preview.page.height() * s)};
}

QPointF PagePreviewWidget::toUnits(const QPointF &pos) const
{
    const double s = scale();
    if (s <= 0)
        return {};
    return (pos - pageOrigin()) / s;
}

QPointF PagePreviewWidget::toPixels(const QPointF &units) const { return pageOrigin() + units * scale(); }

void PagePreviewWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The desk the page lies on.
    QLinearGradient desk(0, 0, 0, height());
    desk.setColorAt(0, QColor(0xD9, 0xDE, 0xE5));
    desk.setColorAt(1, QColor(0xC9, 0xD0, 0xDA));
    p.fillRect(rect(), desk);

    const QRectF page = pageRect();
    const double s = scale();
    if (s <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(page.translated(3, 3), QColor(0, 0, 0, 40));
    p.fillRect(page.translated(1, 1), QColor(0, 0, 0, 50));
    const Label &pic = m_preview.page;
    p.fillRect(page, pic.transparent() ? QColor(Qt::white) : resolveColour(pic.backColor(), palette()));

    p.save();
    p.setClipRect(page);
    // Lines lie on the page surface, beneath every box.
    const double dpr = p.device()->devicePixelRatioF();
    for (auto &l : m_preview.Line25)
        paintLine(p, *l, dpr);
    for (auto &l : m_preview.Line26)
        paintLine(p, *l, dpr);
    paintLine(p, m_preview.crosshairVertical, dpr);
    paintLine(p, m_preview.crosshairHorizontal, dpr);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (m_doc) {
        const PrintArea area = printArea();
        for (int n = 1; n <= 12; ++n)
            paintPrinted(p, n, area);
    } else {
        p.translate(page.topLeft());
        p.scale(s, s);
        for (int n = 1; n <= 12; ++n)
            paintBox(p, n);
        // The page is drawn at its centimetre scale; the code's rule counts in twips.
        constexpr double unitsPerTwip = PagePreview::Scale / (PrintArea::twipsPerMm * 10);
        p.scale(unitsPerTwip, unitsPerTwip);
        for (int n = 1; n <= 12; ++n) {
            const Label &box = m_preview.box(n);
            const Label &label = *m_labels[std::size_t(n - 1)];
            const QRectF text(box.left() + label.left(), box.top() + label.top(), label.width(), label.height());
            if (box.visible() && label.visible())
                paintCode(p, n, QRectF(text.topLeft() / unitsPerTwip, text.size() / unitsPerTwip));
        }
    }
    p.restore();

    p.setPen(QColor(0x8A, 0x94, 0xA3));
    p.drawRect(page.adjusted(-0.5, -0.5, -0.5, -0.5));
}

void PagePreviewWidget::paintLine(QPainter &p, const LineItem &l, double dpr) const
{
    if (!l.visible() || (l.x1() == l.x2() && l.y1() == l.y2()))
        return;
    const QColor colour = resolveColour(l.color(), palette());
    const QPointF a = toPixels(QPointF(l.x1(), l.y1()));
    const QPointF b = toPixels(QPointF(l.x2(), l.y2()));
    // An upright or level line takes the first device pixel at or past its
    // place, which is where toUnits() puts that place back: the pointer on
    // a line's pixel reads the line's own position, never one just short
    // of it, and the crosshair stands on the pointer's pixel.
    const auto snap = [dpr](double v) { return std::ceil(v * dpr - 1e-6) / dpr; };
    if (a.x() == b.x() || a.y() == b.y()) {
        // Snapping must not pull a line from above or left of the page (the
        // parked crosshair) onto its first row or column.
        if ((a.x() == b.x() && l.x1() < 0) || (a.y() == b.y() && l.y1() < 0))
            return;
        const QPointF from(snap(std::min(a.x(), b.x())), snap(std::min(a.y(), b.y())));
        const QPointF to(snap(std::max(a.x(), b.x())), snap(std::max(a.y(), b.y())));
        const QSizeF size(a.x() == b.x() ? 1.0 : to.x() - from.x(), a.y() == b.y() ? 1.0 : to.y() - from.y());
        p.fillRect(QRectF(from, size), colour);
        return;
    }
    QPen pen(colour);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawLine(QLineF(a, b));
}

void PagePreviewWidget::paintBox(QPainter &p, int n)
{
    const Label &box = m_preview.box(n);
    if (!box.visible())
        return;
    const QRectF boxRect(box.left(), box.top(), box.width(), box.height());
    p.save();
    p.setClipRect(boxRect, Qt::IntersectClip);
    if (!box.transparent())
        p.fillRect(boxRect, resolveColour(box.backColor(), palette()));
    const Label &label = *m_labels[std::size_t(n - 1)];
    if (label.visible()) {
        const QRectF r(box.left() + label.left(), box.top() + label.top(), label.width(), label.height());
        if (!label.transparent())
            p.fillRect(r, resolveColour(label.backColor(), palette()));
        // Preview units are twips: a point is 20 of them.
        QFont f = toQFont(label.font());
        f.setPixelSize(std::max(1, qRound(label.font().size * 20)));
        f.setHintingPreference(QFont::PreferNoHinting);
        p.setFont(f);
        // Laid out as the printer lays it out (see NumberTextDirection).
        p.setLayoutDirection(NumberTextDirection);
        p.setPen(resolveColour(label.foreColor(), palette()));
        const double inset = label.border() ? 15 : 0;
        const int align = label.alignment() == Label::AlignRight    ? Qt::AlignRight
                          : label.alignment() == Label::AlignCenter ? Qt::AlignHCenter
                                                                    : Qt::AlignLeft;
        p.drawText(r.adjusted(inset, inset, -inset, -inset), align | Qt::AlignTop | Qt::TextSingleLine,
                   label.caption());
        if (label.border()) {
            QPen pen(QColor(0x20, 0x20, 0x20));
            pen.setCosmetic(true);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1 / p.transform().m11(), -1 / p.transform().m22()));
        }
    }
    p.restore();
}

void PagePreviewWidget::showPrinted(LayoutDocument &doc, Printer &printer, TextMeasure &measure)
{
    m_doc = &doc;
    m_printer = &printer;
    m_measure = &measure;
    // What places and shapes a printed number: its slot's fields, the
    // fonts, the box option and the orientation.
    const auto repaint = [](PagePreviewWidget *w) { w->update(); };
    for (int n = 1; n <= 12; ++n) {
        onViewUpdate(doc.slot(n).topCm, this, repaint);
        onViewUpdate(doc.slot(n).leftCm, this, repaint);
    }
    for (Control *c : std::initializer_list<Control *>{&doc.fontName, &doc.fontSize, &doc.borderLine,
                                                        &doc.orientationCode, &doc.sampleLabel})
        onViewUpdate(*c, this, repaint);
    update();
}

struct PagePreviewWidget::Printed
{
    QString text;
    QPointF textCorner; // twips on the paper
    QRectF box;         // twips on the paper; null without one
    QRectF extent;      // twips on the paper
    QRectF textRect;    // twips on the paper: the text alone
};

PrintArea PagePreviewWidget::printArea() const { return NumberPlacement::printArea(*m_printer, *m_doc); }

std::optional<PagePreviewWidget::Printed> PagePreviewWidget::printed(int n, const PrintArea &area) const
{
    if (!m_doc || !m_preview.box(n).visible())
        return std::nullopt;
    const NumberPlacement placement(*m_doc, area.paperWidth, area.paperHeight);
    if (!placement.prints())
        return std::nullopt;
    const SignSlot &slot = m_doc->slot(n);
    const double top = leadingNumber(slot.topCm.text()), left = leadingNumber(slot.leftCm.text());
    Printed d;
    // The slot's number as the sample writes it, without the blank the
    // sample's label keeps on either side.
    const QString caption = m_labels[std::size_t(n - 1)]->caption();
    const qsizetype from = caption.startsWith(QLatin1Char(' ')) ? 1 : 0;
    const qsizetype to = caption.size() > from && caption.endsWith(QLatin1Char(' ')) ? caption.size() - 1 : caption.size();
    d.text = caption.mid(from, to - from);
    const NumberPlacement::Extent e = placement.extent(top, left, d.text, *m_measure);
    d.textRect = NumberPlacement::onPaper(area, e.text);
    d.textCorner = d.textRect.topLeft();
    if (!e.box.isNull())
        d.box = NumberPlacement::onPaper(area, e.box);
    d.extent = NumberPlacement::onPaper(area, e.whole());
    return d;
}

QPointF PagePreviewWidget::paperToPixels(const QPointF &twips) const
{
    // The page is drawn at the preview's centimetre scale.
    constexpr double unitsPerTwip = PagePreview::Scale / (PrintArea::twipsPerMm * 10);
    return toPixels(twips * unitsPerTwip);
}

QRectF PagePreviewWidget::printedRect(int n) const
{
    if (!m_doc)
        return {};
    const std::optional<Printed> d = printed(n, printArea());
    return d ? QRectF(paperToPixels(d->extent.topLeft()), paperToPixels(d->extent.bottomRight())) : QRectF();
}

void PagePreviewWidget::paintPrinted(QPainter &p, int n, const PrintArea &area)
{
    const std::optional<Printed> d = printed(n, area);
    if (!d)
        return;
    const Label &sample = m_doc->sampleLabel;
    p.save();
    // Paper twips from here on, as the printer draws them, the hairline one
    // screen pixel; nothing clips a number but the page's edge.
    const QPointF origin = paperToPixels(QPointF());
    const double perTwip = paperToPixels(QPointF(1, 1)).x() - origin.x();
    p.translate(origin);
    p.scale(perTwip, perTwip);
    // Crisp edges, each on the pixel its place falls in.
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!d->box.isNull()) {
        p.setPen(hairlinePen(QColor(Qt::black)));
        p.setBrush(resolveColour(sample.backColor(), palette()));
        p.drawRect(d->box);
    }
    const FontSpec font = NumberPlacement::textFont(*m_doc);
    QFont f = printFont(font.name, font.size, font.bold, font.italic);
    // Laid out at a twip a pixel, as large as the printer's own glyphs, and
    // scaled down as a whole: sizes keep their proportions at every scale.
    f.setPixelSize(std::max(1, qRound(f.pointSizeF() * 20)));
    f.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(f);
    p.setLayoutDirection(NumberTextDirection);
    p.setPen(resolveColour(sample.foreColor(), palette()));
    p.drawText(d->textCorner + QPointF(0, QFontMetricsF(f).ascent()), d->text);
    paintCode(p, n, d->textRect);
    p.restore();
}

PagePreviewWidget::~PagePreviewWidget() = default;

void PagePreviewWidget::showCodes(const CodeSettings &settings)
{
    m_code = &settings;
    if (!m_codes)
        m_codes = std::make_unique<CodeMaker>(settings);
    update();
}

void PagePreviewWidget::paintCode(QPainter &p, int n, const QRectF &textTwips)
{
    if (!m_code || !m_code->used())
        return;
    m_codes->setSettings(*m_code);
    const auto value = CodeMaker::valueOfShown(*m_code, m_labels[std::size_t(n - 1)]->caption());
    const auto shapes = value ? m_codes->shapes(*value) : nullptr;
    if (!shapes)
        return;
    const QRectF extent = codeExtent(*m_code, QSizeF(shapes->width, shapes->height), textTwips);
    const double module = extent.width() / shapes->width;
    p.save();
    p.translate(extent.topLeft());
    p.scale(module, module);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRects(shapes->bars.constData(), int(shapes->bars.size()));
    p.restore();
}

int PagePreviewWidget::boxAt(const QPointF &u) const
{
    // The last box drawn lies on top.
    for (int n = 12; n >= 1; --n) {
        const Label &b = m_preview.box(n);
        if (b.visible() && QRectF(b.left(), b.top(), b.width(), b.height()).contains(u))
            return n;
    }
    return 0;
}

void PagePreviewWidget::forward(MouseAction a, QMouseEvent *e, int target)
{
    const QPointF u = toUnits(e->position());
    const Qt::MouseButtons buttons = a == MouseAction::Move ? e->buttons() : Qt::MouseButtons(e->button());
    const int code = mouseButtonCode(buttons);
    if (target > 0) {
        const Label &b = m_preview.box(target);
        Label &label = *m_labels[std::size_t(target - 1)];
        label.mouse(a, code, u.x() - b.left() - label.left(), u.y() - b.top() - label.top());
    } else {
        m_preview.page.mouse(a, code, u.x(), u.y());
    }
}

bool PagePreviewWidget::onPage(QMouseEvent *e) const
{
    // The desk round the page is the window's background: the event goes on
    // to the window, unless a press on the page holds the pointer.
    if (m_grab >= 0 || pageRect().contains(e->position()))
        return true;
    e->ignore();
    return false;
}

void PagePreviewWidget::mousePressEvent(QMouseEvent *e)
{
    if (!onPage(e))
        return;
    m_grab = boxAt(toUnits(e->position()));
    forward(MouseAction::Down, e, m_grab);
}

void PagePreviewWidget::mouseMoveEvent(QMouseEvent *e)
{
    if (!onPage(e))
        return;
    forward(MouseAction::Move, e, m_grab >= 0 ? m_grab : boxAt(toUnits(e->position())));
}

void PagePreviewWidget::mouseReleaseEvent(QMouseEvent *e)
{
    if (!onPage(e))
        return;
    const int target = m_grab >= 0 ? m_grab : boxAt(toUnits(e->position()));
    m_grab = -1;
    forward(MouseAction::Up, e, target);
    if (e->button() != Qt::LeftButton)
        return;
    if (target > 0 && boxAt(toUnits(e->position())) == target)
        m_labels[std::size_t(target - 1)]->click();
    else if (target == 0)
        m_preview.page.click();
}

void PagePreviewWidget::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!onPage(e))
        return;
    mousePressEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    if (m_grab > 0)
        m_labels[std::size_t(m_grab - 1)]->doubleClick();
    else
        m_preview.page.doubleClick();
}

} // namespace numora::ui
