#include "MousePlacement.h"
#include "PagePreview.h"
#include "platform/Numeric.h"

#include <cmath>

namespace numora {

MousePlacement::MousePlacement(LayoutDocument &doc, PagePreview &preview)
    : m_doc(doc)
    , m_preview(preview)
{
    for (Label *l : {&pointerX, &pointerY})
        l->setFontName(QStringLiteral("Tahoma"));
}

QString MousePlacement::readout(double units)
{
    // Cutting the millimetres' text to five characters before rounding keeps
    // three, two or one decimals depending on the size, as the readout has
    // always done; 1.5 mm must round from "1.5", so the cut works on the
    // 15-digit text and not on the binary value.
    const QString mm = shortestDecimal(units / ReadoutScale).left(5);
    const auto whole = roundHalfEven(leadingNumber(mm));
    return shortestDecimal(double(whole.value_or(0)) / 10.0);
}

void MousePlacement::buttonDown() { previewMouseDown = 1; }

void MousePlacement::pointerMoved(double x, double y)
{
    if (m_doc.moveByMouse.value() != 1 && previewMouseDown != 1)
        return;
    const Label &page = m_preview.page;
    LineItem &vertical = m_preview.crosshairVertical;
    vertical.setX1(x);
    vertical.setX2(x);
    vertical.setY1(0);
    vertical.setY2(page.height());
    LineItem &horizontal = m_preview.crosshairHorizontal;
    horizontal.setX1(page.width());
    horizontal.setX2(0);
    horizontal.setY1(y);
    horizontal.setY2(y);
    pointerX.setCaption(readout(x));
    pointerY.setCaption(readout(y));
}

void MousePlacement::placeSlot(int n)
{
    SignSlot &s = m_doc.slot(n);
    // The readouts are the only record of where the pointer was.
    const auto scrollValue = [](const Label &l) { return roundHalfEven(leadingNumber(l.caption()) * 100); };
    const bool portrait = m_preview.portrait();
    // A value outside a bar's range is refused: that axis stays put.
    if (const auto v = scrollValue(portrait ? pointerX : pointerY))
        s.leftScroll.setValue(*v);
    if (const auto v = scrollValue(portrait ? pointerY : pointerX))
        s.topScroll.setValue(*v);
    m_doc.placementSlot.setText(QString::number(n == 12 ? 1 : n + 1));
}

void MousePlacement::buttonUp()
{
    ComboBox &slotBox = m_doc.placementSlot;
    const bool lastSlot = leadingNumber(slotBox.text()) == double(slotBox.count());
    if (m_doc.moveByMouse.value() == 1) {
        const double n = leadingNumber(slotBox.text());
        if (n >= 1 && n <= 12 && n == std::floor(n))
            placeSlot(int(n));
    }
    previewMouseDown = 0;
    if (m_doc.moveByMouse.value() == 1) {
        // The run's last click ends placement mode and starts the count over.
        if (m_doc.slotCount == 1) {
            m_doc.moveByMouse.setValue(0);
            m_doc.slotCount = slotBox.count() + 1;
            parkCrosshair();
        }
        --m_doc.slotCount;
    }
    if (lastSlot)
        slotBox.setText(QStringLiteral("1"));
}

void MousePlacement::gridClicked()
{
    const bool shown = crosshairOption.value() != 0;
    for (std::size_t i = 0; i < m_preview.Line25.size(); ++i) {
        m_preview.Line25[i]->setVisible(shown);
        m_preview.Line26[i]->setVisible(shown);
    }
}

void MousePlacement::parkCrosshair()
{
    m_preview.crosshairHorizontal.setY2(-10);
    m_preview.crosshairHorizontal.setY1(-10);
    m_preview.crosshairVertical.setY2(-10);
    m_preview.crosshairVertical.setY1(-10);
}

void MousePlacement::connectEvents()
{
    m_preview.page.onMouse.connect([this](MouseAction a, int, double x, double y) {
        switch (a) {
        case MouseAction::Down: buttonDown(); break;
        case MouseAction::Move: pointerMoved(x, y); break;
        case MouseAction::Up: buttonUp(); break;
        }
    });
    crosshairOption.onClick.connect([this] { gridClicked(); });
}

} // namespace numora
