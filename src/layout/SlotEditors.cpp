#include "SlotEditors.h"
#include "platform/Numeric.h"
#include "preview/PagePreview.h"

#include <QRegularExpression>

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

// "0", "0." and "0.0" are on their way to a position such as 0.05: clamping
// them to 0.1 at once would make that position impossible to type.
static bool beginsNumber(const QString &t)
{
    static const QRegularExpression beginning(QStringLiteral("^0*(\\.0?)?$"));
    return !t.isEmpty() && beginning.match(t).hasMatch();
}

// More than two decimals cannot be kept: the position is whole hundredths.
static bool tooManyDecimals(const QString &t)
{
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    qsizetype digits = 0;
    for (qsizetype i = dot + 1; i < t.size() && t.at(i).isDigit(); ++i)
        ++digits;
    return digits > 2;
}

void SlotEditors::topReleased(int n, bool leaving)
{
    SignSlot &s = m_doc.slot(n);
    if (!leaving && beginsNumber(s.Tee.text()))
        return;
    if (leadingNumber(s.Tee.text()) > 29.7)
        s.Tee.setText(QStringLiteral("29.7"));
    if (leadingNumber(s.Tee.text()) <= 0.01)
        s.Tee.setText(QStringLiteral("0.1"));
    if (const auto v = roundHalfEven(leadingNumber(s.Tee.text()) * 100))
        s.VS.setValue(*v);
    if (tooManyDecimals(s.Tee.text()))
        s.Tee.setText(shortestDecimal(s.VS.value() / 100.0));
}

void SlotEditors::leftReleased(int n, bool leaving)
{
    SignSlot &s = m_doc.slot(n);
    if (!leaving && beginsNumber(s.Teee.text()))
        return;
    if (leadingNumber(s.Teee.text()) <= 0.01)
        s.Teee.setText(QStringLiteral("0.1"));
    if (leadingNumber(s.Teee.text()) > 21)
        s.Teee.setText(QStringLiteral("21"));
    m_preview.placeShortEdge(n);
    if (const auto v = roundHalfEven(leadingNumber(s.Teee.text()) * 100))
        s.VSc.setValue(*v);
    if (tooManyDecimals(s.Teee.text()))
        s.Teee.setText(shortestDecimal(s.VSc.value() / 100.0));
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
        s.Tee.onKeyUp.connect([this, n](int) { topReleased(n, false); });
        s.Teee.onKeyUp.connect([this, n](int) { leftReleased(n, false); });
        s.Tee.onLeave.connect([this, n] { topReleased(n, true); });
        s.Teee.onLeave.connect([this, n] { leftReleased(n, true); });
        s.VS.onChange.connect([this, n] { topScrolled(n); });
        s.VSc.onChange.connect([this, n] { leftScrolled(n); });
    }
    m_doc.VScroll1.onChange.connect([this] { topSpinChanged(); });
    m_doc.VScroll2.onChange.connect([this] { leftSpinChanged(); });
    m_doc.Combo3.onClick.connect([this] { gridTypeChosen(); });
}

} // namespace numora
