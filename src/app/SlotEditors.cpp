#include "SlotEditors.h"
#include "platform/Numeric.h"
#include "preview/PagePreview.h"

#include <QRegularExpression>

namespace numora {

SlotEditors::SlotEditors(LayoutDocument &doc, PagePreview &preview)
    : m_doc(doc)
    , m_preview(preview)
{}

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
    if (!leaving && beginsNumber(s.topCm.text()))
        return;
    if (leadingNumber(s.topCm.text()) > 29.7)
        s.topCm.setText(QStringLiteral("29.7"));
    if (leadingNumber(s.topCm.text()) <= 0.01)
        s.topCm.setText(QStringLiteral("0.1"));
    if (const auto v = roundHalfEven(leadingNumber(s.topCm.text()) * 100))
        s.topScroll.setValue(*v);
    if (tooManyDecimals(s.topCm.text()))
        s.topCm.setText(shortestDecimal(s.topScroll.value() / 100.0));
}

void SlotEditors::leftReleased(int n, bool leaving)
{
    SignSlot &s = m_doc.slot(n);
    if (!leaving && beginsNumber(s.leftCm.text()))
        return;
    if (leadingNumber(s.leftCm.text()) <= 0.01)
        s.leftCm.setText(QStringLiteral("0.1"));
    if (leadingNumber(s.leftCm.text()) > 21)
        s.leftCm.setText(QStringLiteral("21"));
    m_preview.placeShortEdge(n);
    if (const auto v = roundHalfEven(leadingNumber(s.leftCm.text()) * 100))
        s.leftScroll.setValue(*v);
    if (tooManyDecimals(s.leftCm.text()))
        s.leftCm.setText(shortestDecimal(s.leftScroll.value() / 100.0));
}

void SlotEditors::topScrolled(int n)
{
    SignSlot &s = m_doc.slot(n);
    s.topCm.setText(shortestDecimal(s.topScroll.value() / 100.0));
    m_preview.placeLongEdge(n);
    m_doc.modified = 1;
}

void SlotEditors::leftScrolled(int n)
{
    SignSlot &s = m_doc.slot(n);
    s.leftCm.setText(shortestDecimal(s.leftScroll.value() / 100.0));
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
    const int step = stepFor(m_doc.topShift.value(), m_doc.topSpinLast);
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).topScroll.setValue(qint64(m_doc.slot(n).topScroll.value()) + step);
}

void SlotEditors::leftSpinChanged()
{
    const int step = stepFor(m_doc.leftShift.value(), m_doc.leftSpinLast);
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).leftScroll.setValue(qint64(m_doc.slot(n).leftScroll.value()) + step);
}

void SlotEditors::gridTypeChosen()
{
    m_preview.requestRefresh();
    for (int n = 1; n <= 12; ++n)
        m_doc.slot(n).counter.setEnabled(false);
    if (const GridTypeInfo *g = findGridType(m_doc.gridType.text())) {
        m_doc.typeTag = QLatin1String(g->tag);
        m_doc.slotCount = g->slotCount;
    }
    m_doc.placementSlot.clear();
    for (int i = 1; i <= m_doc.slotCount && i <= 12; ++i)
        m_doc.placementSlot.addItem(QString::number(i));
    m_doc.typeCaption.setCaption(QStringLiteral("Type: ") + m_doc.typeTag);
    for (int n = 1; n <= m_doc.slotCount && n <= 12; ++n)
        m_doc.slot(n).counter.setEnabled(true);
}

void SlotEditors::connectEditors()
{
    for (int n = 1; n <= 12; ++n) {
        SignSlot &s = m_doc.slot(n);
        s.counter.onKeyPress.connect([this](int &key) { counterKey(key); });
        s.counter.onChange.connect([this, &s] { m_doc.startNumber.setText(s.counter.text()); });
        if (n == 1)
            s.topCm.onKeyPress.connect([this](int &key) { counterKey(key); });
        s.topCm.onKeyUp.connect([this, n](int) { topReleased(n, false); });
        s.leftCm.onKeyUp.connect([this, n](int) { leftReleased(n, false); });
        s.topCm.onLeave.connect([this, n] { topReleased(n, true); });
        s.leftCm.onLeave.connect([this, n] { leftReleased(n, true); });
        s.topScroll.onChange.connect([this, n] { topScrolled(n); });
        s.leftScroll.onChange.connect([this, n] { leftScrolled(n); });
    }
    m_doc.topShift.onChange.connect([this] { topSpinChanged(); });
    m_doc.leftShift.onChange.connect([this] { leftSpinChanged(); });
    m_doc.gridType.onClick.connect([this] { gridTypeChosen(); });
}

} // namespace numora
