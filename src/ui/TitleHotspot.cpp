#include "TitleHotspot.h"
#include "platform/controls/Label.h"

#include <QPainter>

namespace numora::ui {

TitleHotspot::TitleHotspot(Label &control, Symbol symbol, QWidget *parent)
    : BoundLabel(control, Plain, parent)
    , m_symbol(symbol)
{
    setCursor(Qt::PointingHandCursor);
}

void TitleHotspot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (control().pressed())
        p.fillRect(rect(), QColor(0, 0, 0, 70));
    else if (control().border())
        p.fillRect(rect(), QColor(255, 255, 255, m_symbol == Close ? 40 : 28));
    if (control().border()) {
        p.setPen(QColor(255, 255, 255, 170));
        p.drawRect(r);
    }
    QPen pen(QColor(0xF2, 0xF5, 0xF9), qMax(1.2, width() / 9.0));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const QRectF g = QRectF(rect())
                         .adjusted(width() * 0.27, height() * 0.27, -width() * 0.27, -height() * 0.27)
                         .translated(control().pressed() ? QPointF(0.5, 0.5) : QPointF());
    if (m_symbol == Close) {
        p.drawLine(g.topLeft(), g.bottomRight());
        p.drawLine(g.bottomLeft(), g.topRight());
    } else {
        p.drawLine(QPointF(g.left(), g.bottom()), QPointF(g.right(), g.bottom()));
    }
}

} // namespace numora::ui
