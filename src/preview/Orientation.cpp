#include "Orientation.h"
#include "PagePreview.h"
#include "platform/Numeric.h"

namespace numora {

Orientation::Orientation(LayoutDocument &doc, PagePreview &preview, Scheduler &scheduler)
    : toggleTimer(QStringLiteral("Timer4"), scheduler)
    , m_doc(doc)
    , m_preview(preview)
{
    standingIcon.setVisible(false);
    standingIcon.setGeometry(0, 0, 615, 750);
    lyingIcon.setGeometry(0, 0, 750, 615);
}

void Orientation::showCode()
{
    const bool standing = m_doc.orientationCode.caption() == QLatin1String("6");
    standingIcon.setVisible(standing);
    lyingIcon.setVisible(!standing);
    orientationButton.setCaption(standing ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"));
}

void Orientation::toggleOrientation()
{
    m_preview.crosshairHorizontal.setY2(0);
    m_preview.crosshairHorizontal.setY1(0);
    m_preview.crosshairVertical.setY2(0);
    m_preview.crosshairVertical.setY1(0);

    m_doc.orientationMark =
        m_doc.orientationMark == QLatin1String("Hor") ? QStringLiteral("Ver") : QStringLiteral("Hor");

    Label &page = m_preview.page;
    const double h = page.height();
    const double w = page.width();
    page.setHeight(w);
    page.setWidth(h);

    if (m_doc.orientationCode.caption() == QLatin1String("6")) {
        m_doc.orientationCode.setCaption(QStringLiteral("4"));
        orientationButton.setCaption(QStringLiteral("Horizontal"));
    } else {
        m_doc.orientationCode.setCaption(QStringLiteral("6"));
        orientationButton.setCaption(QStringLiteral("Vertical"));
    }
    if (m_doc.orientationCode.caption() == QLatin1String("6")) {
        standingIcon.setVisible(true);
        lyingIcon.setVisible(false);
    } else if (m_doc.orientationCode.caption() == QLatin1String("4")) {
        standingIcon.setVisible(false);
        lyingIcon.setVisible(true);
    }

    m_preview.placeShortEdge(1);
    SignSlot &first = m_doc.slot(1);
    if (leadingNumber(first.leftCm.text()) > double(*integerDivide(first.leftScroll.max(), 100)))
        first.leftScroll.setValue(first.leftScroll.max() - 1);
    if (leadingNumber(first.topCm.text()) > double(*integerDivide(first.topScroll.max(), 100) + 1))
        first.topScroll.setValue(first.topScroll.max());

    placeBoxes();
}

void Orientation::placeBoxes()
{
    for (int n = 1; n <= 12; ++n) {
        m_preview.placeLongEdge(n);
        m_preview.placeShortEdge(n);
    }
}

void Orientation::connectEvents()
{
    orientationButton.onClick.connect([this] { toggleOrientation(); });
    toggleTimer.onTick.connect([this] {
        toggleOrientation();
        toggleTimer.setInterval(0);
    });
}

} // namespace numora
