#include "SlotWells.h"

#include <QPainter>

namespace numora::ui {

SlotWells::SlotWells(QWidget *parent, std::function<QRect(int)> cell)
    : QWidget(parent)
    , m_cell(std::move(cell))
{}

void SlotWells::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0xC4, 0xCB, 0xD5));
    pen.setStyle(Qt::DashLine);
    QFont f = font();
    f.setPointSizeF(14);
    f.setBold(true);
    p.setFont(f);
    for (int n = 1; n <= 12; ++n) {
        const QRectF r = QRectF(m_cell(n)).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(pen);
        p.setBrush(QColor(0xE6, 0xEA, 0xEF));
        p.drawRoundedRect(r, 4, 4);
        p.setPen(QColor(0xCF, 0xD5, 0xDD));
        p.drawText(r, Qt::AlignCenter, QString::number(n));
    }
}

} // namespace numora::ui
