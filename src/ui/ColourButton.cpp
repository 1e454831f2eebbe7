#include "ColourButton.h"
#include "ViewSupport.h"
#include "platform/qt/QtColour.h"

#include <QPainter>

namespace numora::ui {

ColourButton::ColourButton(Label &control, Label &sample, bool back, QWidget *parent)
    : FramedButton(control, parent)
    , m_sample(sample)
    , m_back(back)
{
    onViewUpdate(sample, this, [](ColourButton *w) { w->update(); });
    setPadding(7);
}

void ColourButton::paintFrame(QPainter &p)
{
    const qint32 c = m_back ? m_sample.backColor() : m_sample.foreColor();
    const QRect sw(4, (height() - 9) / 2, 9, 9);
    p.fillRect(sw, resolveColour(c, palette()));
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(sw.adjusted(0, 0, -1, -1));
    FramedButton::paintFrame(p);
}

} // namespace numora::ui
