#include "PrintOrderIllustration.h"
#include "layout/LayoutDocument.h"
#include "printing/PrintOrderEngine.h"

#include <QPainter>
#include <QPainterPath>

namespace numora::ui {

PrintOrderIllustration::PrintOrderIllustration(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PrintOrderIllustration::setOrder(int order)
{
    if (order == m_order)
        return;
    m_order = order;
    update();
}

QList<QList<int>> PrintOrderIllustration::printedPages(int order)
{
    if (order < 1 || order > 8)
        return {};
    PrintRunInput in;
    in.gridType = QStringLiteral("2 X 2");
    in.printOrder = wayPrintItems().at(order - 1);
    in.startText = QStringLiteral("1");
    in.pageCountText = QStringLiteral("3");
    in.counters.fill(QStringLiteral("1"));
    in.counters[1] = QStringLiteral("101");
    const PrintRunResult r = runPrintOrder(in);
    QList<QList<int>> pages;
    for (qint64 p = 0; p < r.pageCount; ++p)
        pages.append({int(r.number(p, 1)), int(r.number(p, 2))});
    // The print job reads order 6 from the end of the sequence.
    if (order == 6)
        std::reverse(pages.begin(), pages.end());
    return pages;
}

namespace {

// The picture's bands, top to bottom: the page stack, the arrow, the captions.
struct Bands
{
    qreal caption, arrowBand, stackH, stepY, pageH, pageW, stepX, left;
};

Bands bandsFor(QSizeF size)
{
    constexpr int count = PrintOrderIllustration::PageCount;
    Bands b{};
    b.caption = size.height() * 0.15;
    b.arrowBand = size.height() * 0.09;
    b.stackH = size.height() - b.caption - b.arrowBand;
    b.stepY = b.stackH * 0.06;
    b.pageH = b.stackH - 2 * b.stepY - 2;
    b.pageW = std::min(b.pageH * 0.8, (size.width() - 8) / (1 + 0.82 * (count - 1)));
    b.stepX = b.pageW * 0.82;
    b.left = (size.width() - b.pageW - (count - 1) * b.stepX) / 2;
    return b;
}

} // namespace

// Pages overlap like a fanned stack: the first printed lies on the left,
// each later one a little further right and lower, on top of it.
QRectF PrintOrderIllustration::pageRect(int i, QSizeF size)
{
    const Bands b = bandsFor(size);
    return {b.left + i * b.stepX, 1 + i * b.stepY, b.pageW, b.pageH};
}

QRectF PrintOrderIllustration::slotBox(int i, int s, QSizeF size)
{
    const QRectF page = pageRect(i, size);
    return {page.left() + page.width() * 0.12, page.top() + page.height() * (0.2 + 0.4 * s), page.width() * 0.76,
            page.height() * 0.3};
}

QColor PrintOrderIllustration::slotColour(int s)
{
    return s == 0 ? QColor(0x1f, 0x5f, 0xbf) : QColor(0xd0, 0x60, 0x10);
}

void PrintOrderIllustration::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().window());

    const QList<QList<int>> pages = printedPages(m_order);
    const int count = PageCount;
    const qreal h = height();
    const Bands b = bandsFor(size());
    const qreal caption = b.caption, arrowBand = b.arrowBand, pageH = b.pageH, pageW = b.pageW, stepX = b.stepX,
                left = b.left;

    QFont numberFont = font();
    numberFont.setPixelSize(std::max(8, int(pageH * 0.2)));
    numberFont.setBold(true);
    QFont captionFont = font();
    captionFont.setPixelSize(std::max(7, int(caption * 0.7)));

    for (int i = 0; i < count; ++i) {
        const QRectF page = pageRect(i, size());
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        p.setBrush(QColor(0xfd, 0xfd, 0xf8));
        p.drawRect(page);
        // A folded corner marks the page's top.
        QPainterPath corner;
        const qreal c = pageW * 0.18;
        corner.moveTo(page.right() - c, page.top());
        corner.lineTo(page.right(), page.top() + c);
        corner.lineTo(page.right() - c, page.top() + c);
        corner.closeSubpath();
        p.setBrush(QColor(0xe0, 0xe0, 0xd8));
        p.drawPath(corner);

        if (i < pages.size()) {
            p.setFont(numberFont);
            for (int s = 0; s < 2; ++s) {
                const QRectF box = slotBox(i, s, size());
                p.setPen(QPen(slotColour(s), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(box);
                p.drawText(box, Qt::AlignCenter, QString::number(pages.at(i).at(s)));
            }
        }
        p.setFont(captionFont);
        p.setPen(palette().color(QPalette::WindowText));
        const QString nth = i == 0 ? tr("1st") : i == 1 ? tr("2nd") : tr("3rd");
        p.drawText(QRectF(page.left(), h - caption, pageW, caption), Qt::AlignCenter, nth);
    }

    // The direction in which the pages come out of the printer.
    const qreal y = h - caption - arrowBand / 2;
    const QPointF from(left + pageW / 2, y);
    const QPointF tip(left + (count - 1) * stepX + pageW / 2, y);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.drawLine(from, tip);
    p.drawLine(tip, tip + QPointF(-5, -3));
    p.drawLine(tip, tip + QPointF(-5, 3));
}

} // namespace numora::ui
