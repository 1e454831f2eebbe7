#include "PaperStrip.h"

#include <QPainter>

namespace numora::ui {

void PaperStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(r, Qt::white);
    p.setPen(QColor(0x9A, 0xA4, 0xB2));
    p.drawRect(r);
    p.setPen(QColor(0xE2, 0xE6, 0xEC));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
}

} // namespace numora::ui
