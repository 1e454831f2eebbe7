#pragma once
#include <QFlags>
#include <QMargins>
#include <QSizeF>
#include <QWidget>

namespace numora {
class Form;
}

namespace numora::ui {

// A window over a headless Form: the window shows the form's caption,
// enabled and minimised/maximised state, and, when asked to, its place,
// size and shown state; it reports the operator's moves, resizes and state
// changes back to the form. The form's place and size are those of the
// whole window, frame included, in twips.
//
// While the window applies the form it reports nothing back, so that
// applying one property cannot write a half-applied geometry or state into
// the form.
//
// A subclass builds its widgets and then calls followForm() at the end of
// its constructor.
class FormWindow : public QWidget
{
public:
    // What the window takes from its form besides the caption, enabled and
    // state, which every window takes.
    enum Follow {
        CaptionAndState = 0x0,
        // The form's place and size are applied to the window; a form
        // without a size yet gets the design size.
        Place = 0x1,
        // The form's shown state shows and hides the window.
        Visibility = 0x2,
    };
    Q_DECLARE_FLAGS(Follows, Follow)

protected:
    // `designSize` is the window's size in twips, frame excluded, while the
    // form has none; only a window that follows the form's place uses it.
    FormWindow(Form &form, Follows follows, QSizeF designSize, QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Applies the form now and from then on at every change of its window
    // properties.
    void followForm();

    // The window title while the form's caption is empty.
    virtual QString untitledCaption() const;
    // Called with the form's caption each time the window applies it, for
    // windows that show it somewhere besides the title bar.
    virtual void captionApplied(const QString &caption);
    // Called after the window's frame geometry has been written to the form.
    virtual void geometryReported();

    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void syncWindow();
    void applyPlace();
    void reportGeometry();

    Form &m_windowForm;
    Follows m_follows;
    QSizeF m_designSize;
    bool m_syncing = false;
    // The frame's margins as last seen while the window was shown: a hidden
    // window reports none, and one shown again gets the same frame.
    QMargins m_frame;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FormWindow::Follows)

} // namespace numora::ui
