#include "SlotEditors.h"
#include "platform/Numeric.h"
#include "preview/PagePreview.h"

namespace numora {

SlotEditors::SlotEditors(LayoutDocument &doc, PagePreview &preview)
    : m_doc(doc)
    , m_preview(preview)
{
}

void SlotEditors::counterKey(int &key)
{
    if (key != TextEditing::KeyBackspace && (key < 48 || key > 59))
        key = 0;
}

void SlotEditors::topReleased(int n)
{
    SignSlot &s = m_doc.slot(n);
    if (leadingNumber(s.Tee.text()) > 29.7)
        s.Tee.setText(QStringLiteral("29.7"));
    if (leadingNumber(s.Tee.text()) <= 0.01)
        s.Tee.setText(QStringLiteral("0.1"));
    if (const auto v = roundHalfEven(leadingNumber(s.Tee.text()) * 100))
        s.VS.setValue(*v);
}

void SlotEditors::leftReleased(int n)
{
    SignSlot &s = m_doc.slot(n);
    if (leadingNumber(s.Teee.text()) <= 0.01)
        s.Teee.setText(QStringLiteral("0.1"));
    if (leadingNumber(s.Teee.text()) > 21)
        s.Teee.setText(QStringLiteral("21"));
    m_preview.placeShortEdge(n);
    if (const auto v = roundHalfEven(leadingNumber(s.Teee.text()) * 100))
        s.VSc.setValue(*v);
}

void SlotEditors::topScrolled(int n)
{
    SignSlot &s = m_doc.slot(n);
    s.Tee.setText(shortestDecimal(s.VS.value() / 100.0));
    m_preview.placeLongEdge(n);
    m_doc.modified = 1;
}

void SlotEditors::leftScrolled(int n)
{
    SignSlot &s = m_doc.slot(n);
    s.Teee.setText(shortestDecimal(s.VSc.value() / 100.0));
    m_preview.placeShortEdge(n);
    m_doc.modified = 1;
}

static int stepFor(int value, int &last)
{
    const int step = value > last ? 10 : value < last ? -10 : 0;
    last = value;
    return step;
}

void SlotEditors::topSpinChanged()
{
    const int step = stepFor(m_doc.VScroll1.value(), m_doc.topSpinLast);
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).VS.setValue(qint64(m_doc.slot(n).VS.value()) + step);
}

void SlotEditors::leftSpinChanged()
{
    const int step = stepFor(m_doc.VScroll2.value(), m_doc.leftSpinLast);
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).VSc.setValue(qint64(m_doc.slot(n).VSc.value()) + step);
}

void SlotEditors::gridTypeChosen()
{
    m_preview.requestRefresh();
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).Tx.setEnabled(false);
    if (const GridTypeInfo *g = findGridType(m_doc.Combo3.text())) {
        m_doc.typeTag = QLatin1String(g->tag);
        m_doc.slotCount = g->slotCount;
    }
    m_doc.Combo4.clear();
    for (int i = 1; i <= m_doc.slotCount && i <= 12; ++i)
        m_doc.Combo4.addItem(QString::number(i));
    m_doc.Label54.setCaption(QStringLiteral("Type: ") + m_doc.typeTag);
    for (int n = 1; n <= m_doc.slotCount && n <= 12; ++n)
        m_doc.slot(n).Tx.setEnabled(true);
}

void SlotEditors::connectEditors()
{
    for (int n = 1; n <= 12; ++n) {
        SignSlot &s = m_doc.slot(n);
        s.Tx.onKeyPress.connect([this](int &key) { counterKey(key); });
        s.Tx.onChange.connect([this, &s] { m_doc.Te1.setText(s.Tx.text()); });
        if (n == 1)
            s.Tee.onKeyPress.connect([this](int &key) { counterKey(key); });
        s.Tee.onKeyUp.connect([this, n](int) { topReleased(n); });
        s.Teee.onKeyUp.connect([this, n](int) { leftReleased(n); });
        s.VS.onChange.connect([this, n] { topScrolled(n); });
        s.VSc.onChange.connect([this, n] { leftScrolled(n); });
    }
    m_doc.VScroll1.onChange.connect([this] { topSpinChanged(); });
    m_doc.VScroll2.onChange.connect([this] { leftSpinChanged(); });
    m_doc.Combo3.onClick.connect([this] { gridTypeChosen(); });
}

} // namespace numora
