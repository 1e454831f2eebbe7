#pragma once
#include "FormWindow.h"
#include "platform/controls/Control.h"

#include <functional>

namespace numora {
class AboutForm;
}

namespace numora::ui {

class BoundLabel;

// The About window About1 over its headless form: the picture, the version
// and the link. Closing it (its close button, Alt+F4, Escape) asks for the
// form to be unloaded through `closeRequested`; the window is deleted with
// its form, so the request must not run inside the window's own events.
class AboutWindow : public FormWindow
{
public:
    AboutWindow(AboutForm &form, std::function<void()> closeRequested, QWidget *parent = nullptr);

    AboutForm &form() const { return m_form; }
    BoundLabel *link() const { return m_link; }

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    // The pointer over the window outside the link goes to the form.
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void place(QWidget *w, const Control &c);

    AboutForm &m_form;
    std::function<void()> m_closeRequested;
    BoundLabel *m_link = nullptr;
};

} // namespace numora::ui
