#include "WindowChrome.h"
#include "MainForm.h"
#include "layoutfiles/BrowserForm.h"
#include "platform/Colour.h"
#include "platform/Desktop.h"

namespace numora {

namespace {

constexpr qint32 White = rgbColour(255, 255, 255);
constexpr qint32 Grey = rgbColour(0x80, 0x80, 0x80);
constexpr qint32 AboutGreen = rgbColour(0, 0x80, 0);
constexpr qint32 AboutLit = rgbColour(0, 0xC0, 0);

} // namespace

WindowChrome::WindowChrome(MainForm &form, Scheduler &scheduler)
    : restoreWatcher(QStringLiteral("Timer3"), scheduler, true)
    , m_form(form)
{
    for (int n = 1; n <= 24; ++n)
        frameLines[std::size_t(n - 1)] = std::make_unique<LineItem>(QStringLiteral("Line%1").arg(n));
    brand.setGeometry(5760, 120, 2655, 255);
    brand.setAlignment(Label::AlignCenter);
    brand.setTransparent(true);
    titleStrip.setGeometry(1440, 0, 10455, 375);
    titleStrip.setTransparent(true);
    exitHotspot.setGeometry(12780, 90, 180, 195);
    exitHotspot.setTransparent(true);
    minimiseHotspot.setGeometry(12280, 90, 180, 195);
    minimiseHotspot.setTransparent(true);
    aboutLabel.setGeometry(120, 75, 645, 225);
    aboutLabel.setAlignment(Label::AlignCenter);
    aboutLabel.setBackColor(AboutGreen);
    aboutLabel.setForeColor(White);
}

std::vector<Control *> WindowChrome::controls()
{
    std::vector<Control *> all{&brand, &titleStrip, &exitHotspot, &minimiseHotspot, &aboutLabel, &restoreWatcher};
    for (auto &l : frameLines)
        all.push_back(l.get());
    return all;
}

std::vector<WindowChrome::ButtonFrame> WindowChrome::framedButtons()
{
    return {{&m_form.saveButton, 9120, 915, 630, 225, {20, 17, 19, 18}},
            {&m_form.openButton, 9840, 915, 645, 225, {16, 13, 15, 14}},
            {&m_form.reset.closeButton, 10560, 915, 645, 225, {21, 24, 22, 23}},
            {&m_form.printButton, 120, 2070, 975, 225, {12, 5, 11, 10}},
            {&m_form.reset.resetButton, 12000, 915, 630, 225, {9, 6, 8, 7}},
            {&m_form.orientation.orientationButton, 1200, 2070, 975, 210, {1, 4, 2, 3}}};
}

void WindowChrome::connectEvents()
{
    for (const ButtonFrame &f : framedButtons()) {
        f.button->setGeometry(f.left, f.top, f.width, f.height);
        // The lines run just outside the button, one pixel (15 twips) away.
        const double l = f.button->left() - 15, t = f.button->top() - 15;
        const double r = f.button->left() + f.button->width(), b = f.button->top() + f.button->height();
        const auto [top, left, bottom, right] = f.lines;
        line(top).setPoints(l, t, r, t);
        line(left).setPoints(l, t, l, b);
        line(bottom).setPoints(l, b, r, b);
        line(right).setPoints(r, t, r, b);
        setSunken(f, false);
        // The release always raises the frame again, wherever it happens:
        // the button has the pointer captured from the press on.
        f.button->onMouse.connect([this, f](MouseAction a, int, double, double) {
            if (a != MouseAction::Move)
                setSunken(f, a == MouseAction::Down);
        });
    }

    titleStrip.onMouse.connect([this](MouseAction a, int, double, double) {
        if (a != MouseAction::Move)
            return;
        if (Desktop *desktop = m_form.services().desktop)
            desktop->dragWindow(m_form);
        dockBrowser();
    });
    exitHotspot.onMouse.connect([this](MouseAction a, int, double, double) { hotspotMouse(exitHotspot, a); });
    minimiseHotspot.onMouse.connect([this](MouseAction a, int, double, double) { hotspotMouse(minimiseHotspot, a); });
    exitHotspot.onClick.connect([this] { m_form.requestExit(); });
    minimiseHotspot.onClick.connect([this] { minimise(); });

    aboutLabel.onMouse.connect([this](MouseAction a, int, double, double) {
        aboutLabel.setBackColor(a == MouseAction::Up ? AboutGreen : AboutLit);
        if (a == MouseAction::Move)
            return;
        aboutLabel.setPressed(a == MouseAction::Down);
        aboutLabel.setForeColor(White);
    });
    aboutLabel.onClick.connect([this] {
        m_form.setVisible(false);
        m_form.openAbout();
    });

    m_form.onMouse.connect([this](MouseAction a, int, double, double) {
        if (a == MouseAction::Move)
            onBackgroundMove();
    });
    restoreWatcher.onTick.connect([this] { watchRestore(); });
}

void WindowChrome::setSunken(const ButtonFrame &f, bool sunken)
{
    const qint32 lit = sunken ? Grey : White;
    const qint32 shade = sunken ? White : Grey;
    const auto [top, left, bottom, right] = f.lines;
    line(top).setColor(lit);
    line(left).setColor(lit);
    line(bottom).setColor(shade);
    line(right).setColor(shade);
}

void WindowChrome::hotspotMouse(Label &spot, MouseAction a)
{
    if (a == MouseAction::Move)
        spot.setBorder(1);
    else
        spot.setPressed(a == MouseAction::Down);
}

void WindowChrome::hideHotspotBorders()
{
    if (exitHotspot.border() == 0 && minimiseHotspot.border() == 0)
        return;
    exitHotspot.setBorder(0);
    minimiseHotspot.setBorder(0);
}

void WindowChrome::parkCrosshair()
{
    if (m_form.doc.moveByMouse.value() == 0)
        return;
    m_form.placement.parkCrosshair();
}

void WindowChrome::onBackgroundMove()
{
    aboutLabel.setBackColor(AboutGreen);
    hideHotspotBorders();
    parkCrosshair();
}

void WindowChrome::minimise()
{
    m_form.setWindowState(1);
    if (m_form.browserCreated() && m_form.browser().visible()) {
        m_form.browser().setWindowState(m_form.windowState());
        restoreWatcher.setInterval(100);
    }
    minimiseHotspot.setBorder(0);
}

void WindowChrome::watchRestore()
{
    // Minimised or maximised, the watcher keeps looking.
    if (m_form.windowState() != 0)
        return;
    m_form.browser().setWindowState(m_form.windowState());
    restoreWatcher.setInterval(0);
}

void WindowChrome::dockBrowser()
{
    // Only a browser that was opened and not closed since follows.
    if (!m_form.browserCreated() || !m_form.browser().enabled())
        return;
    BrowserForm &browser = m_form.browser();
    const double left = m_form.left() + m_form.width();
    const double top = m_form.top();
    if (browser.left() != left || browser.top() != top) {
        browser.setGeometry(left, top, browser.width(), browser.height());
        browser.setVisible(true);
    }
}

} // namespace numora
