#pragma once
#include "platform/Desktop.h"

#include <memory>

namespace numora {

// The desktop of the program: addresses go to QDesktopServices, and a drag
// hands the window to the window manager (QWindow::startSystemMove). A
// form's window is the top-level widget named after the form.
class QtDesktop : public Desktop
{
public:
    QtDesktop();
    ~QtDesktop() override;
    bool openUrl(const QString &address) override;
    void dragWindow(Form &window) override;

private:
    // The window manager keeps the release that ends a move to itself, so
    // the toolkit goes on seeing the button held; a new move waits for the
    // next press.
    class PressWatch;
    std::unique_ptr<PressWatch> m_watch;
};

} // namespace numora
