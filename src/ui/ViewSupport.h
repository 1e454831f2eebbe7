#pragma once
#include <QColor>
#include <QPalette>
#include "platform/controls/Control.h"
#include "platform/controls/Label.h"
#include "platform/UpdateBatch.h"

#include <QFont>
#include <QPointer>
#include <memory>

class QApplication;
class QKeyEvent;
class QWidget;

namespace numora::ui {

constexpr double TwipsPerInch = 1440.0;

// Twips to pixels and back at the widget's logical resolution (at 96 dpi 15
// twips make a pixel).
double pixelsPerTwip(const QWidget *w);
int px(const QWidget *w, double twips);
double twips(const QWidget *w, double pixels);
// A length of a design drawn for a 96 dpi screen, at the widget's resolution.
inline int dp(const QWidget *w, double px96) { return px(w, px96 * 15.0); }

// The font a model font names, sized in points. Unknown family names fall
// back through the substitutes installed by applyLook().
QFont toQFont(const FontSpec &font);

// The key code the model's key-up handlers get for a released key: the
// virtual key numbers of the original toolkit (8 Backspace, 46 Delete, 48..57
// digits, 65..90 letters, ...), 0 for keys without one.
int keyUpCode(const QKeyEvent *e);

// The model button number of a Qt mouse button: 1 left, 2 right, 4 middle.
int mouseButtonCode(Qt::MouseButtons b);

// Style, palette, interface font and font substitutes shared by the program
// and the tests, so that test renderings show what the operator sees.
void applyLook(QApplication &app);
void installFontSubstitutes();

// Connects a handler to a model event for as long as `owner` lives: the
// connection goes with the widget, so a view that is rebuilt leaves no dead
// handler behind. The forms outlive their views.
template <typename E, typename H> void connectWhileAlive(QObject *owner, E &event, H handler)
{
    const auto token = event.connect(std::move(handler));
    QObject::connect(owner, &QObject::destroyed, [&event, token] { event.disconnect(token); });
}

// Runs `fn` on the widget after every view change of the control, for as long
// as the widget lives. The forms outlive their views, so only the widget's
// end needs guarding. While an update batch is open (a tick of a print run
// changes the start number sixty times) the widget is brought up to date
// once, when the batch closes, rather than after every change.
template <typename W, typename F> void onViewUpdate(Control &c, W *widget, F fn)
{
    struct Link
    {
        QPointer<W> guard;
        F fn;
        bool pending = false;
    };
    auto link = std::make_shared<Link>(Link{QPointer<W>(widget), std::move(fn)});
    connectWhileAlive(widget, c.onViewUpdate, [link] {
        if (!link->guard)
            return;
        if (!UpdateBatch::isOpen()) {
            link->fn(link->guard.data());
            return;
        }
        if (link->pending)
            return;
        link->pending = true;
        UpdateBatch::defer(link.get(), [link] {
            link->pending = false;
            if (link->guard)
                link->fn(link->guard.data());
        });
    });
}

// A field caption in the muted colour the windows give their captions.
template <typename W> W *asCaption(W *w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, QColor(0x44, 0x4E, 0x5C));
    w->setPalette(pal);
    return w;
}

} // namespace numora::ui
