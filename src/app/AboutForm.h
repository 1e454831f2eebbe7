#pragma once
#include "platform/Form.h"
#include "platform/controls/Label.h"

namespace numora {

class Desktop;
class Dialogs;
class SettingsStore;

// The About window About1: a picture, the version and a link to the
// program's guide. It is created when it opens and unloaded when it closes.
class AboutForm : public Form
{
public:
    // The program's own configuration (not the session): application,
    // section and key of the address the link opens.
    static QString configApp() { return QStringLiteral("Numora"); }
    static QString linkSection() { return QStringLiteral("About"); }
    static QString linkKey() { return QStringLiteral("link"); }
    // The address used while the configuration names none: the guide
    // installed beside the running program; run from its build tree, the
    // source tree's; else where an installation keeps it.
    static QString defaultLink();

    AboutForm(SettingsStore &settings, Desktop *desktop, Dialogs &dialogs);

    Label picture{QStringLiteral("Picture1")};
    Label version{QStringLiteral("Label1"), QStringLiteral("V 3.0")};
    Label linkLabel{QStringLiteral("Label2")}; // the link, showing its address

    // Centres the window over the rectangle of another (twips).
    void centreOver(double left, double top, double width, double height);

private:
    Desktop *m_desktop;
    Dialogs &m_dialogs;
};

} // namespace numora
