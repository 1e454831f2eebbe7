#include "SheetStackIcon.h"
#include "ViewSupport.h"

#include <QPainter>

#include <algorithm>

namespace numora::ui {

SheetStackIcon::SheetStackIcon(Label &image, bool standing, QWidget *parent)
    : QWidget(parent)
    , m_image(image)
    , m_standing(standing)
{
    setObjectName(image.name());
    onViewUpdate(image, this, [](SheetStackIcon *w) { w->setVisible(w->m_image.visible()); });
    setVisible(image.visible());
}

void SheetStackIcon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Sheets in the A4 proportions, so that standing and lying read apart
    // even at icon size; two sheets behind, offset up and to the right.
    constexpr double Ratio = 1.414, StepX = 2.5, StepY = 2.0;
    const QRectF area = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const double roomW = area.width() - 2 * StepX, roomH = area.height() - 2 * StepY;
    double w = m_standing ? roomH / Ratio : roomW;
    double h = m_standing ? roomH : roomW / Ratio;
    const double fit = std::min({1.0, roomW / w, roomH / h});
    w *= fit;
    h *= fit;
    const double x0 = area.left() + (area.width() - w - 2 * StepX) / 2;
    const double y0 = area.top() + (area.height() - h - 2 * StepY) / 2;
    for (int i = 2; i >= 0; --i) {
        const QRectF r(x0 + i * StepX, y0 + (2 - i) * StepY, w, h);
        p.setPen(QColor(0x4A, 0x5A, 0x70));
        p.setBrush(i == 0 ? QColor(Qt::white) : QColor(0xE4, 0xE9, 0xF0));
        p.drawRect(r);
        // A few lines of print on the front sheet when there is room.
        if (i == 0 && h >= 14) {
            p.setPen(QPen(QColor(0xA8, 0xB4, 0xC4), 1));
            const double inset = std::max(2.5, w * 0.18);
            for (int line = 1; line <= 3; ++line) {
                const double y = r.top() + h * line / 4.0;
                p.drawLine(QPointF(r.left() + inset, y), QPointF(r.right() - inset, y));
            }
        }
    }
}

} // namespace numora::ui
