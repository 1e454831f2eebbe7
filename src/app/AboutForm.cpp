#include "AboutForm.h"
#include "platform/Colour.h"
#include "platform/Desktop.h"
#include "platform/SettingsStore.h"

#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

// Set by the build: the guide's address where the program is installed, its
// path from the program's folder, the build tree and the source tree's guide.
#ifndef NUMORA_GUIDE_URL
#define NUMORA_GUIDE_URL "file:///usr/local/share/doc/numora/README.md"
#define NUMORA_GUIDE_FROM_PROGRAM "../share/doc/numora/README.md"
#define NUMORA_BUILD_DIR ""
#define NUMORA_SOURCE_GUIDE ""
#endif

namespace numora {

namespace {

constexpr qint32 LinkBlue = rgbColour(0, 0, 0xFF);
constexpr qint32 LinkLit = rgbColour(0, 0x7E, 0xF0);

} // namespace

QString AboutForm::defaultLink()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty()) {
        const QFileInfo installed(QDir(programDir).filePath(QStringLiteral(NUMORA_GUIDE_FROM_PROGRAM)));
        if (installed.isFile())
            return QUrl::fromLocalFile(installed.canonicalFilePath()).toString();
        const QString buildDir = QStringLiteral(NUMORA_BUILD_DIR);
        const QFileInfo source(QStringLiteral(NUMORA_SOURCE_GUIDE));
        if (!buildDir.isEmpty() && (programDir + QLatin1Char('/')).startsWith(buildDir + QLatin1Char('/'))
            && source.isFile())
            return QUrl::fromLocalFile(source.absoluteFilePath()).toString();
    }
    return QStringLiteral(NUMORA_GUIDE_URL);
}

AboutForm::AboutForm(SettingsStore &settings, Desktop *desktop, Dialogs &dialogs)
    : Form(QStringLiteral("About1"))
    , m_desktop(desktop)
    , m_dialogs(dialogs)
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
    // The window stays open; the address opens in the default browser. When
    // nothing can open it the operator sees the address, to open it by hand.
    linkLabel.onClick.connect([this] {
        if (m_desktop && !m_desktop->openUrl(linkLabel.caption()))
            m_dialogs.message(QStringLiteral("The guide cannot be opened:\r\n") + linkLabel.caption(),
                              QStringLiteral("About"), Dialogs::Buttons::OK);
    });
}

void AboutForm::centreOver(double left, double top, double width, double height)
{
    setGeometry(left + (width - this->width()) / 2, top + (height - this->height()) / 2, this->width(), this->height());
}

} // namespace numora
