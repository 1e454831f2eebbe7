#pragma once
#include "layout/LayoutDocument.h"
#include "platform/controls/Timer.h"

namespace numora {

// The page drawn at 275 units to the centimetre: the picture Picture2, the
// twelve number boxes, the centimetre grid, the crosshair, the slot panels
// and the deferred refresh that applies the grid type.
class PagePreview
{
public:
    static constexpr double Scale = 275.0;
    static constexpr double LongEdgeUnits = 8200.0;
    static constexpr double ShortEdgeUnits = 5775.0;

    PagePreview(LayoutDocument &doc, Scheduler &scheduler);

    Label page{QStringLiteral("Picture2")};
    std::array<std::unique_ptr<Label>, 12> Test;   // Test1..Test12
    std::array<std::unique_ptr<Label>, 12> panels; // Picture3..10, Picture12..15
    std::array<std::unique_ptr<LineItem>, 29> Line25;
    std::array<std::unique_ptr<LineItem>, 29> Line26;
    LineItem crosshairVertical{QStringLiteral("PLine1")};
    LineItem crosshairHorizontal{QStringLiteral("PLine2")};
    Timer refreshTimer; // Timer2

    Label &box(int n)
    {
        Q_ASSERT(n >= 1 && n <= int(Test.size()));
        return *Test[std::size_t(n - 1)];
    }
    Label &panel(int n)
    {
        Q_ASSERT(n >= 1 && n <= int(panels.size()));
        return *panels[std::size_t(n - 1)];
    }
    std::array<Label *, 12> boxes();
    static QString panelName(int n);

    bool portrait() const { return m_doc.orientationMark == QLatin1String("Hor"); }
    void placeLongEdge(int n);
    void placeShortEdge(int n);
    void layoutGrid();
    void requestRefresh() { refreshTimer.setInterval(10); }
    void refreshPreview();

    // The default position texts of a grid type for slot n (1..K).
    static QString defaultLongEdge(const QString &gridType, int n);
    static QString defaultShortEdge(const QString &gridType, int n);

private:
    void refreshPass();
    LayoutDocument &m_doc;
};

} // namespace numora
