#include "PrintOrderSelector.h"
#include "numbertext/NumberSample.h"
#include "platform/Numeric.h"

namespace numora {

PrintOrderSelector::PrintOrderSelector(LayoutDocument &doc, NumberSample &sample)
    : m_doc(doc)
    , m_sample(sample)
{
    for (int d = 1; d <= 8; ++d) {
        auto p = std::make_unique<Label>(QStringLiteral("Picture%1").arg(15 + d));
        p->setVisible(d == 1);
        pictures[std::size_t(d - 1)] = std::move(p);
    }
}

void PrintOrderSelector::connectEvents()
{
    m_doc.wayPrint.onClick.connect([this] { orderChosen(); });
}

void PrintOrderSelector::orderChosen()
{
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).counter.setVisible(false);
    m_doc.startNumber.setEnabled(true);
    const double d = leadingNumber(m_doc.wayPrint.text().left(1));
    if (d >= 1 && d <= 6) {
        for (int k = 1; k <= 8; ++k)
            picture(k).setVisible(k == d);
    } else if (d == 7 || d == 8) {
        for (int k = 1; k <= 6; ++k)
            picture(k).setVisible(false);
        picture(7).setVisible(d == 7);
        picture(8).setVisible(d == 8);
        for (int n = 1; n <= 12; ++n)
            m_doc.slot(n).counter.setVisible(true);
        m_doc.startNumber.setEnabled(false);
    }
    m_sample.schedulePreviewNumbers(1);
}

} // namespace numora
