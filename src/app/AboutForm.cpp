#include "AboutForm.h"
#include "platform/Colour.h"
#include "platform/Desktop.h"
#include "platform/SettingsStore.h"

// Set by the build: the guide's address where the program is installed.
#ifndef NUMORA_GUIDE_URL
#define NUMORA_GUIDE_URL "file:///usr/local/share/doc/Numora/README.md"
#endif

namespace numora {

namespace {

constexpr qint32 LinkBlue = rgbColour(0, 0, 0xFF);
constexpr qint32 LinkLit = rgbColour(0, 0x7E, 0xF0);

} // namespace

QString AboutForm::defaultLink() { return QStringLiteral(NUMORA_GUIDE_URL); }

AboutForm::AboutForm(SettingsStore &settings, Desktop *desktop)
    : Form(QStringLiteral("About1"))
    , m_desktop(desktop)
{
    setCaption(QStringLiteral("About"));
    setGeometry(0, 0, 5700, 3300);
    picture.setGeometry(240, 240, 1440, 1440);
    version.setGeometry(1920, 1080, 3500, 255);
    linkLabel.setGeometry(240, 2580, 5220, 255);
    QString link = settings.getSetting(configApp(), linkSection(), linkKey()).trimmed();
    if (link.isEmpty())
        link = defaultLink();
    linkLabel.setCaption(link);
    linkLabel.setForeColor(LinkBlue);
    linkLabel.setTransparent(true);
    for (Control *c : std::initializer_list<Control *>{&picture, &version, &linkLabel})
        registerControl(*c);

    linkLabel.onMouse.connect([this](MouseAction a, int, double, double) {
        if (a == MouseAction::Move)
            linkLabel.setForeColor(LinkLit);
    });
    onMouse.connect([this](MouseAction a, int, double, double) {
        if (a == MouseAction::Move)
            linkLabel.setForeColor(LinkBlue);
        linkLabel.setTransparent(true);
    });
    // The window stays open; the address opens in the default browser.
    linkLabel.onClick.connect([this] {
        if (m_desktop)
            m_desktop->openUrl(linkLabel.caption());
    });
}

void AboutForm::centreOver(double left, double top, double width, double height)
{
    setGeometry(left + (width - this->width()) / 2, top + (height - this->height()) / 2, this->width(), this->height());
}

} // namespace numora
