#include "Orientation.h"
#include "PagePreview.h"
#include "platform/Numeric.h"

namespace numora {

Orientation::Orientation(LayoutDocument &doc, PagePreview &preview, Scheduler &scheduler)
    : Timer4(QStringLiteral("Timer4"), scheduler)
    , m_doc(doc)
    , m_preview(preview)
{
    Im1.setVisible(false);
    Im1.setGeometry(0, 0, 615, 750);
    Im2.setGeometry(0, 0, 750, 615);
}

void Orientation::showCode()
{
    const bool standing = m_doc.orientationCode.caption() == QLatin1String("6");
    Im1.setVisible(standing);
    Im2.setVisible(!standing);
    Label4.setCaption(standing ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"));
}

void Orientation::toggleOrientation()
{
    m_preview.PLine2.setY2(0);
    m_preview.PLine2.setY1(0);
    m_preview.PLine1.setY2(0);
    m_preview.PLine1.setY1(0);

    m_doc.orientationMark =
        m_doc.orientationMark == QLatin1String("Hor") ? QStringLiteral("Ver") : QStringLiteral("Hor");

    Label &page = m_preview.Picture2;
    const double h = page.height();
    const double w = page.width();
    page.setHeight(w);
    page.setWidth(h);

    if (m_doc.orientationCode.caption() == QLatin1String("6")) {
        m_doc.orientationCode.setCaption(QStringLiteral("4"));
        Label4.setCaption(QStringLiteral("Horizontal"));
    } else {
        m_doc.orientationCode.setCaption(QStringLiteral("6"));
        Label4.setCaption(QStringLiteral("Vertical"));
    }
    if (m_doc.orientationCode.caption() == QLatin1String("6")) {
        Im1.setVisible(true);
        Im2.setVisible(false);
    } else if (m_doc.orientationCode.caption() == QLatin1String("4")) {
        Im1.setVisible(false);
        Im2.setVisible(true);
    }

    m_preview.placeShortEdge(1);
    SignSlot &first = m_doc.slot(1);
    if (leadingNumber(first.leftCm.text()) > double(*integerDivide(first.leftScroll.max(), 100)))
        first.leftScroll.setValue(first.leftScroll.max() - 1);
    if (leadingNumber(first.topCm.text()) > double(*integerDivide(first.topScroll.max(), 100) + 1))
        first.topScroll.setValue(first.topScroll.max());

    for (int n = 1; n <= 12; ++n) {
        m_preview.placeLongEdge(n);
        m_preview.placeShortEdge(n);
    }
}

void Orientation::connectEvents()
{
    Label4.onClick.connect([this] { toggleOrientation(); });
    Timer4.onTick.connect([this] {
        toggleOrientation();
        Timer4.setInterval(0);
    });
}

} // namespace numora
