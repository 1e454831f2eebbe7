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
    : Timer3(QStringLiteral("Timer3"), scheduler, true)
    , m_form(form)
{
    for (int n = 1; n <= 24; ++n)
        Line[std::size_t(n - 1)] = std::make_unique<LineItem>(QStringLiteral("Line%1").arg(n));
    Label5.setGeometry(5760, 120, 2655, 255);
    Label5.setAlignment(Label::AlignCenter);
    Label5.setTransparent(true);
    Label2.setGeometry(1440, 0, 10455, 375);
    Label2.setTransparent(true);
    Label1.setGeometry(12780, 90, 180, 195);
    Label1.setTransparent(true);
    Label3.setGeometry(12280, 90, 180, 195);
    Label3.setTransparent(true);
    R00.setGeometry(120, 75, 645, 225);
    R00.setAlignment(Label::AlignCenter);
    R00.setBackColor(AboutGreen);
    R00.setForeColor(White);
}

std::vector<Control *> WindowChrome::controls()
{
    std::vector<Control *> all{&Label5, &Label2, &Label1, &Label3, &R00, &Timer3};
    for (auto &l : Line)
        all.push_back(l.get());
    return all;
}

std::vector<WindowChrome::ButtonFrame> WindowChrome::framedButtons()
{
    return {{&m_form.Command3, 9120, 915, 630, 225, {20, 17, 19, 18}},
            {&m_form.Command2, 9840, 915, 645, 225, {16, 13, 15, 14}},
            {&m_form.reset.Label57, 10560, 915, 645, 225, {21, 24, 22, 23}},
            {&m_form.Label50, 120, 2070, 975, 225, {12, 5, 11, 10}},
            {&m_form.reset.Label7, 12000, 915, 630, 225, {9, 6, 8, 7}},
            {&m_form.orientation.Label4, 1200, 2070, 975, 210, {1, 4, 2, 3}}};
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

    Label2.onMouse.connect([this](MouseAction a, int, double, double) {
        if (a != MouseAction::Move)
            return;
        if (Desktop *desktop = m_form.services().desktop)
            desktop->dragWindow(m_form);
        dockBrowser();
    });
    Label1.onMouse.connect([this](MouseAction a, int, double, double) { hotspotMouse(Label1, a); });
    Label3.onMouse.connect([this](MouseAction a, int, double, double) { hotspotMouse(Label3, a); });
    Label1.onClick.connect([this] { m_form.requestExit(); });
    Label3.onClick.connect([this] { minimise(); });

    R00.onMouse.connect([this](MouseAction a, int, double, double) {
        R00.setBackColor(a == MouseAction::Up ? AboutGreen : AboutLit);
        if (a == MouseAction::Move)
            return;
        R00.setPressed(a == MouseAction::Down);
        R00.setForeColor(White);
    });
    R00.onClick.connect([this] {
        m_form.setVisible(false);
        m_form.openAbout();
    });

    m_form.onMouse.connect([this](MouseAction a, int, double, double) {
        if (a == MouseAction::Move)
            onBackgroundMove();
    });
    Timer3.onTick.connect([this] { watchRestore(); });
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
    if (Label1.border() == 0 && Label3.border() == 0)
        return;
    Label1.setBorder(0);
    Label3.setBorder(0);
}

void WindowChrome::parkCrosshair()
{
    if (m_form.doc.moveByMouse.value() == 0)
        return;
    m_form.placement.parkCrosshair();
}

void WindowChrome::onBackgroundMove()
{
    R00.setBackColor(AboutGreen);
    hideHotspotBorders();
    parkCrosshair();
}

void WindowChrome::minimise()
{
    m_form.setWindowState(1);
    if (m_form.browserCreated() && m_form.browser().visible()) {
        m_form.browser().setWindowState(m_form.windowState());
        Timer3.setInterval(100);
    }
    Label3.setBorder(0);
}

void WindowChrome::watchRestore()
{
    // Minimised or maximised, the watcher keeps looking.
    if (m_form.windowState() != 0)
        return;
    m_form.browser().setWindowState(m_form.windowState());
    Timer3.setInterval(0);
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
