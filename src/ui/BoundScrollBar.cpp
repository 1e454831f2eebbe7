#include "BoundScrollBar.h"
#include "ViewSupport.h"

namespace numora::ui {

BoundScrollBar::BoundScrollBar(ScrollBar &control, Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
    , m_control(control)
{
    setObjectName(control.name());
    connect(this, &QScrollBar::valueChanged, this, [this](int v) {
        m_control.setValue(v);
        sync();
    });
    onViewUpdate(control, this, [](BoundScrollBar *w) { w->sync(); });
    sync();
}

void BoundScrollBar::sync()
{
    const QSignalBlocker block(this);
    // The model allows a minimum above the maximum: the bar then runs the
    // other way.
    const int lo = std::min(m_control.min(), m_control.max());
    const int hi = std::max(m_control.min(), m_control.max());
    setRange(lo, hi);
    setInvertedAppearance(m_control.min() > m_control.max());
    setSingleStep(m_control.smallStep());
    setPageStep(m_control.largeStep());
    setValue(m_control.value());
    setEnabled(m_control.enabled());
    setVisible(m_control.visible());
}

} // namespace numora::ui
