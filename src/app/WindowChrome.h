#pragma once
#include "platform/controls/Label.h"
#include "platform/controls/Timer.h"

#include <array>
#include <memory>
#include <vector>

namespace numora {

class MainForm;

// The frameless main window's own chrome: the title strip that drags the
// window, the exit and minimise hotspots, the About label, the four frame
// lines of each framed button, and the watcher that restores the docked
// browser after a minimise.
class WindowChrome
{
public:
    WindowChrome(MainForm &form, Scheduler &scheduler);

    Label brand{QStringLiteral("Label5"), QStringLiteral("Talonix")};
    Label titleStrip{QStringLiteral("Label2")};
    Label exitHotspot{QStringLiteral("Label1"), QStringLiteral("    ")};
    Label minimiseHotspot{QStringLiteral("Label3"), QStringLiteral("    ")};
    Label aboutLabel{QStringLiteral("R00"), QStringLiteral("About")};
    std::array<std::unique_ptr<LineItem>, 24> frameLines; // Line1..Line24
    Timer restoreWatcher;                                 // Timer3: restores the docked browser after a minimise

    LineItem &line(int n)
    {
        Q_ASSERT(n >= 1 && n <= int(frameLines.size()));
        return *frameLines[std::size_t(n - 1)];
    }
    std::vector<Control *> controls();

    // A framed button of the window: its place and size (twips) and the
    // numbers of its frame's line items. The window lays its buttons out
    // from this too.
    struct ButtonFrame
    {
        Label *button;
        double left, top, width, height;
        std::array<int, 4> lines; // top, left, bottom, right
    };
    // In the order the window lays them out.
    std::vector<ButtonFrame> framedButtons();
    // Lays out the framed buttons' frames and connects the chrome's events;
    // the framed buttons belong to other commands, so this runs once the
    // main form has them all.
    void connectEvents();

    // The pointer over the window's background, outside every control.
    // Further reactions to it belong here.
    void onBackgroundMove();
    void minimise();
    // Glues an open browser to the main window's right edge.
    void dockBrowser();

private:
    void setSunken(const ButtonFrame &f, bool sunken);
    void hotspotMouse(Label &spot, MouseAction a);
    void hideHotspotBorders();
    void parkCrosshair();
    void watchRestore();

    MainForm &m_form;
};

} // namespace numora
