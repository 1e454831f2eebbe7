#include "PageCopiesIllustration.h"
#include "ViewSupport.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace numora::ui {

PageCopiesIllustration::PageCopiesIllustration(Label &image, int copies, QWidget *parent)
    : QWidget(parent)
    , m_image(image)
    , m_copies(std::max(1, copies))
{
    setObjectName(image.name());
    onViewUpdate(image, this, [](PageCopiesIllustration *w) { w->setVisible(w->m_image.visible()); });
    setVisible(image.visible());
}

void PageCopiesIllustration::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // Three numbers' worth of sheets, or two numbers' when each comes twice,
    // so that the two pictures hold about as many sheets.
    const int numbers = m_copies == 1 ? 3 : 2;
    const int sheets = numbers * m_copies;

    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    QFont captionFont = font();
    captionFont.setPointSizeF(7.5);
    const qreal captionH = QFontMetricsF(captionFont).height() + 3;
    const qreal stepY = 3;
    const qreal sheetH = area.height() - captionH - (sheets - 1) * stepY - 2;
    const qreal sheetW = sheetH / 1.414;
    // The later sheet lies on the earlier one, a little to the right: twins
    // close together, one number's sheets apart from the next number's.
    const qreal twinStep = sheetW * 0.4;
    const qreal numberStep = m_copies == 1 ? sheetW * 0.8 : sheetW * 1.08 + twinStep;
    const qreal spanW = (numbers - 1) * numberStep + (m_copies - 1) * twinStep + sheetW;
    const qreal left = area.left() + (area.width() - spanW) / 2;

    QFont numberFont = font();
    numberFont.setPixelSize(std::max(8, int(sheetH * 0.16)));
    numberFont.setBold(true);
    const QColor ink(0xB0, 0x20, 0x20), rule(0xB4, 0xBE, 0xCC), edge(0x5A, 0x68, 0x7C);

    for (int i = 0; i < sheets; ++i) {
        const int number = i / m_copies;
        const int copy = i % m_copies;
        const QRectF sheet(left + number * numberStep + copy * twinStep, area.top() + i * stepY, sheetW, sheetH);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawRect(sheet.translated(1.5, 1.5));
        p.setPen(QPen(edge, 1));
        p.setBrush(copy == 0 ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xFB, 0xF8, 0xEC));
        p.drawRect(sheet);

        // The number stands at the sheet's top left, the part that stays in
        // sight under the next sheet; print lines fill the rest.
        const QRectF numberBox(sheet.left() + 3, sheet.top() + 3, twinStep - 4, sheetH * 0.2);
        p.setFont(numberFont);
        p.setPen(ink);
        p.drawText(numberBox, Qt::AlignLeft | Qt::AlignVCenter, QString::number(number + 1));
        p.setPen(QPen(rule, 1));
        for (int line = 0; line < 4; ++line) {
            const qreal y = sheet.top() + sheetH * (0.38 + 0.14 * line);
            p.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));
        }
    }

    // Twins are held together by a bracket beneath them.
    if (m_copies > 1) {
        p.setPen(QPen(QColor(0x70, 0x7C, 0x8C), 1));
        const qreal y = area.top() + (sheets - 1) * stepY + sheetH + 2.5;
        for (int n = 0; n < numbers; ++n) {
            const qreal x0 = left + n * numberStep + 2;
            const qreal x1 = left + n * numberStep + (m_copies - 1) * twinStep + sheetW - 2;
            QPainterPath bracket;
            bracket.moveTo(x0, y - 2);
            bracket.lineTo(x0, y);
            bracket.lineTo(x1, y);
            bracket.lineTo(x1, y - 2);
            p.setBrush(Qt::NoBrush);
            p.drawPath(bracket);
        }
    }

    p.setFont(captionFont);
    p.setPen(QColor(0x44, 0x4E, 0x5C));
    const QString caption = m_copies == 1 ? tr("One sheet for each number") : tr("Two sheets for each number");
    p.drawText(QRectF(area.left(), area.bottom() - captionH + 2, area.width(), captionH - 2),
               Qt::AlignHCenter | Qt::AlignBottom, caption);
}

} // namespace numora::ui
