#include "PagePreview.h"
#include "platform/Colour.h"
#include "platform/Numeric.h"

namespace numora {

PagePreview::PagePreview(LayoutDocument &doc, Scheduler &scheduler)
    : refreshTimer(QStringLiteral("Timer2"), scheduler)
    , m_doc(doc)
{
    page.setGeometry(0, 0, LongEdgeUnits, ShortEdgeUnits);
    page.setBackColor(rgbColour(255, 255, 255));
    for (int n = 1; n <= 12; ++n) {
        auto b = std::make_unique<Label>(QStringLiteral("Test%1").arg(n));
        b->setGeometry(0, 0, 1215, 195);
        Test[std::size_t(n - 1)] = std::move(b);
        panels[std::size_t(n - 1)] = std::make_unique<Label>(panelName(n));
    }
    for (int i = 0; i < 29; ++i) {
        auto v = std::make_unique<LineItem>(QStringLiteral("Line25(%1)").arg(i));
        auto h = std::make_unique<LineItem>(QStringLiteral("Line26(%1)").arg(i));
        v->setPoints(0, 0, 0, 8250);
        h->setPoints(0, 0, 8160, 0);
        for (auto *l : {v.get(), h.get()}) {
            l->setColor(rgbColour(192, 192, 192));
            l->setVisible(false);
        }
        Line25[std::size_t(i)] = std::move(v);
        Line26[std::size_t(i)] = std::move(h);
    }
    // The crosshair's design place: along the page's left and top edges.
    crosshairVertical.setPoints(0, 0, 0, 5160);
    crosshairVertical.setColor(rgbColour(0, 255, 255));
    crosshairHorizontal.setPoints(0, 0, 8160, 0);
    crosshairHorizontal.setColor(rgbColour(0, 255, 0));
    // The design text of every slot gives the box's design position.
    for (int n = 1; n <= 12; ++n) {
        placeLongEdge(n);
        placeShortEdge(n);
    }
    refreshTimer.onTick.connect([this] { refreshPreview(); });
}

QString PagePreview::panelName(int n) { return QStringLiteral("Picture%1").arg(n <= 8 ? n + 2 : n + 3); }

std::array<Label *, 12> PagePreview::boxes()
{
    std::array<Label *, 12> b{};
    for (std::size_t i = 0; i < 12; ++i)
        b[i] = Test[i].get();
    return b;
}

void PagePreview::placeLongEdge(int n)
{
    const double v = leadingNumber(m_doc.slot(n).topCm.text()) * Scale;
    portrait() ? box(n).setTop(v) : box(n).setLeft(v);
}

void PagePreview::placeShortEdge(int n)
{
    const double v = leadingNumber(m_doc.slot(n).leftCm.text()) * Scale;
    portrait() ? box(n).setLeft(v) : box(n).setTop(v);
}

void PagePreview::layoutGrid()
{
    for (int i = 0; i < 29; ++i) {
        const double at = Scale * (i + 1) - 15;
        Line25[std::size_t(i)]->setX1(at);
        Line25[std::size_t(i)]->setX2(at);
        Line26[std::size_t(i)]->setY1(at);
        Line26[std::size_t(i)]->setY2(at);
    }
}

namespace {
struct Rows
{
    int rows;
    int offset;
};
// Rows per column and offset of the long-edge rule, per grid type.
bool rowsFor(const QString &grid, Rows &r)
{
    if (grid == QLatin1String("2 X 2") || grid == QLatin1String("4 X 4"))
        r = {2, 13};
    else if (grid == QLatin1String("3 X 3") || grid == QLatin1String("6 X 6"))
        r = {3, 8};
    else if (grid == QLatin1String("8 X 8"))
        r = {4, 5};
    else if (grid == QLatin1String("10 X 10"))
        r = {5, 4};
    else if (grid == QLatin1String("12 X 12"))
        r = {6, 4};
    else
        return false;
    return true;
}
} // namespace

QString PagePreview::defaultLongEdge(const QString &grid, int n)
{
    if (grid == QLatin1String("1 X 1"))
        return QStringLiteral("4");
    Rows r{1, 0};
    if (!rowsFor(grid, r))
        return {};
    // 30 is the long edge, 29.7 cm, taken as a whole number.
    const int row = (n - 1) % r.rows + 1;
    return QString::number((30 / r.rows) * row - r.offset);
}

QString PagePreview::defaultShortEdge(const QString &grid, int n)
{
    const GridTypeInfo *g = findGridType(grid);
    if (!g)
        return {};
    if (g->slotCount < 4)
        return QStringLiteral("5");
    Rows r{1, 0};
    rowsFor(grid, r);
    return n <= r.rows ? QStringLiteral("3") : QStringLiteral("13.5");
}

void PagePreview::refreshPreview()
{
    refreshPass();
    refreshPass();
    m_doc.autoPlace.setCaption(QStringLiteral("Yes"));
    refreshTimer.setInterval(0);
}

void PagePreview::refreshPass()
{
    const bool autoPlace = m_doc.autoPlace.caption() == QLatin1String("Yes");
    if (autoPlace) {
        for (int n = 1; n <= 12 && n <= m_doc.slotCount; ++n) {
            m_doc.slot(n).counter.setEnabled(true);
            m_doc.slot(n).counter.setText(QStringLiteral("1"));
        }
    }
    m_doc.placementSlot.setText(QStringLiteral("1"));
    m_doc.leftShift.setValue(25);
    m_doc.topShift.setValue(25);
    const QString grid = m_doc.gridType.text();
    if (const GridTypeInfo *g = findGridType(grid)) {
        for (int n = 1; n <= 12; ++n) {
            panel(n).setVisible(n <= g->slotCount);
            box(n).setVisible(n <= g->slotCount);
        }
        if (autoPlace) {
            for (int n = 1; n <= g->slotCount; ++n) {
                m_doc.slot(n).topCm.setText(defaultLongEdge(grid, n));
                m_doc.slot(n).leftCm.setText(defaultShortEdge(grid, n));
            }
        }
    }
    for (int n = 1; n <= 12; ++n) {
        SignSlot &s = m_doc.slot(n);
        // Values that do not fit 16 bits are skipped, as any failing step.
        const auto top = roundHalfEven(leadingNumber(s.topCm.text()) * 100);
        if (top && *top >= -32768 && *top <= 32767)
            s.topScroll.setValue(*top);
        const auto left = roundHalfEven(leadingNumber(s.leftCm.text()) * 100);
        if (left && *left >= -32768 && *left <= 32767)
            s.leftScroll.setValue(*left);
    }
    if (portrait()) {
        for (int n = 1; n <= 12; ++n) {
            box(n).setTop(leadingNumber(m_doc.slot(n).topCm.text()) * Scale);
            box(n).setLeft(leadingNumber(m_doc.slot(n).leftCm.text()) * Scale);
        }
    }
}

} // namespace numora
