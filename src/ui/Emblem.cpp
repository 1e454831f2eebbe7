#include "Emblem.h"

#include <QLinearGradient>
#include <QPainter>

namespace numora::ui {

void Emblem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = qMin(width(), height()) / 96.0;
    p.scale(s, s);
    QLinearGradient ground(0, 0, 0, 96);
    ground.setColorAt(0, QColor(0x2C, 0x4A, 0x70));
    ground.setColorAt(1, QColor(0x1E, 0x35, 0x54));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(0, 0, 96, 96), 14, 14);

    // Two slips beneath, slightly turned.
    for (int i = 2; i >= 1; --i) {
        p.save();
        p.translate(48, 52);
        p.rotate(-7.0 * i);
        p.setBrush(QColor(0xDD, 0xE3, 0xEA).darker(100 + 8 * i));
        p.drawRoundedRect(QRectF(-28, -30, 56, 62), 3, 3);
        p.restore();
    }
    // The top slip with its stub and perforation.
    const QRectF slip(20, 20, 56, 62);
    p.setBrush(Qt::white);
    p.drawRoundedRect(slip, 3, 3);
    QPen dots(QColor(0x9A, 0xA6, 0xB4), 1.2, Qt::DotLine);
    p.setPen(dots);
    p.drawLine(QPointF(slip.left() + 4, 38), QPointF(slip.right() - 4, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC4, 0xCB, 0xD5));
    p.drawRoundedRect(QRectF(27, 26, 26, 5), 2, 2);
    p.drawRoundedRect(QRectF(27, 62, 42, 3), 1.5, 1.5);
    p.drawRoundedRect(QRectF(27, 69, 30, 3), 1.5, 1.5);
    // The number, in the red the preview marks positions with.
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0xD0, 0x21, 0x21));
    p.drawText(QRectF(slip.left(), 41, slip.width(), 18), Qt::AlignCenter, QStringLiteral("0128"));
}

} // namespace numora::ui
