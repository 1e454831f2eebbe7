#include "QtDesktop.h"
#include "platform/Form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace numora {

class QtDesktop::PressWatch : public QObject
{
public:
    bool moving = false;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonPress)
            moving = false;
        return QObject::eventFilter(o, e);
    }
};

QtDesktop::QtDesktop()
    : m_watch(std::make_unique<PressWatch>())
{
    if (qApp)
        qApp->installEventFilter(m_watch.get());
}

QtDesktop::~QtDesktop() = default;

bool QtDesktop::openUrl(const QString &address)
{
    // A plain path is a local file; anything with a scheme stays as written.
    const QUrl url = QUrl::fromUserInput(address);
    // The browser would open on an error page, or nothing would show at all.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

void QtDesktop::dragWindow(Form &window)
{
    // The window manager moves the window only while the button is held; a
    // move request without one would make it follow the pointer until the
    // next click.
    if (m_watch->moving || !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() != window.name() || !w->isVisible())
            continue;
        if (QWindow *handle = w->windowHandle())
            m_watch->moving = handle->startSystemMove();
        return;
    }
}

} // namespace numora
