#include "HeaderBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace numora::ui {

QLabel *HeaderBar::addTitle(int margin)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(margin, 0, margin, 0);
    auto *title = new QLabel(this);
    QFont tf = font();
    tf.setPointSizeF(9);
    tf.setBold(true);
    tf.setLetterSpacing(QFont::PercentageSpacing, 105);
    title->setFont(tf);
    QPalette tp = title->palette();
    tp.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(tp);
    row->addWidget(title, 1, Qt::AlignCenter);
    return title;
}

void HeaderBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x2C, 0x4A, 0x70));
    g.setColorAt(1, QColor(0x1E, 0x35, 0x54));
    p.fillRect(rect(), g);
    p.setPen(QColor(0x14, 0x25, 0x3B));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace numora::ui
