#include "FormWindow.h"
#include "ViewSupport.h"
#include "platform/Form.h"

#include <QGuiApplication>
#include <QPointer>

namespace numora::ui {

namespace {

int stateOf(const QWidget *w)
{
    if (w->isMinimized())
        return 1;
    if (w->isMaximized())
        return 2;
    return 0;
}

} // namespace

FormWindow::FormWindow(Form &form, Follows follows, QSizeF designSize, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , m_windowForm(form)
    , m_follows(follows)
    , m_designSize(designSize)
{}

void FormWindow::followForm()
{
    connectWhileAlive(this, m_windowForm.onWindowUpdate, [w = QPointer<FormWindow>(this)] {
        if (w)
            w->syncWindow();
    });
    syncWindow();
}

QString FormWindow::untitledCaption() const { return QGuiApplication::applicationDisplayName(); }

void FormWindow::captionApplied(const QString &) {}

void FormWindow::geometryReported() {}

void FormWindow::syncWindow()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const QString &title = m_windowForm.caption();
    setWindowTitle(title.isEmpty() ? untitledCaption() : title);
    captionApplied(title);
    setEnabled(m_windowForm.enabled());
    if (m_follows & Place)
        applyPlace();

    Qt::WindowStates state = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (m_windowForm.windowState() == 1)
        state |= Qt::WindowMinimized;
    else if (m_windowForm.windowState() == 2)
        state |= Qt::WindowMaximized;
    if (state != windowState())
        setWindowState(state);
    if ((m_follows & Visibility) && isVisible() != m_windowForm.visible())
        setVisible(m_windowForm.visible());
    m_syncing = false;
}

void FormWindow::applyPlace()
{
    // The form's place and size are those of the whole window, frame
    // included. A form without a size yet gets the design size.
    //
    // A window that was shown and is hidden again (or is just being shown
    // again) may have no frame as far as the toolkit tells: its position
    // then is that of its inside, and its size would take the frame's room.
    // It is placed by the frame it had.
    const QRect f = frameGeometry(), g = geometry();
    const QMargins told(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    const bool frameKnown = !told.isNull() || m_frame.isNull() || !testAttribute(Qt::WA_WState_Created);
    const QMargins frame = frameKnown ? told : m_frame;
    const int w = m_windowForm.width() > 0 ? px(this, m_windowForm.width()) - frame.left() - frame.right()
                                           : px(this, m_designSize.width());
    const int h = m_windowForm.height() > 0 ? px(this, m_windowForm.height()) - frame.top() - frame.bottom()
                                            : px(this, m_designSize.height());
    if (size() != QSize(w, h))
        setFixedSize(w, h);
    QPoint at(px(this, m_windowForm.left()), px(this, m_windowForm.top()));
    if (!frameKnown)
        at += QPoint(frame.left(), frame.top());
    if (pos() != at)
        move(at);
}

void FormWindow::reportGeometry()
{
    if (m_syncing)
        return;
    QRect f = frameGeometry();
    const QRect g = geometry();
    const QMargins frame(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    // Right after a show the window system may not have put the frame back
    // yet; the window has the frame it had.
    if (!frame.isNull())
        m_frame = frame;
    else
        f = g.marginsAdded(m_frame);
    m_windowForm.setGeometry(twips(this, f.x()), twips(this, f.y()), twips(this, f.width()), twips(this, f.height()));
    geometryReported();
}

void FormWindow::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    // While a window is being shown its place is not final yet (the frame
    // is added after the move event); the show reports it once it is.
    if (isVisible())
        reportGeometry();
}

void FormWindow::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (isVisible())
        reportGeometry();
}

void FormWindow::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    QMetaObject::invokeMethod(this, &FormWindow::reportGeometry, Qt::QueuedConnection);
}

void FormWindow::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && !m_syncing)
        m_windowForm.setWindowState(stateOf(this));
}

} // namespace numora::ui
