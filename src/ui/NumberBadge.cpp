#include "NumberBadge.h"
#include "ViewSupport.h"

#include <QPainter>

namespace numora::ui {

NumberBadge::NumberBadge(int n, QWidget *parent)
    : QWidget(parent)
    , m_text(QString::number(n))
{
    setFixedSize(dp(this, 20), dp(this, 16));
}

void NumberBadge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? QColor(0x2F, 0x6D, 0xB5) : QColor(0xA0, 0xA8, 0xB4));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), height() / 2.0, height() / 2.0);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, m_text);
}

} // namespace numora::ui
