#include "ViewSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace numora::ui {

double pixelsPerTwip(const QWidget *w)
{
    const double dpi = w ? w->logicalDpiX() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / TwipsPerInch;
}

int px(const QWidget *w, double tw) { return qRound(tw * pixelsPerTwip(w)); }

double twips(const QWidget *w, double pixels) { return pixels / pixelsPerTwip(w); }

QFont toQFont(const FontSpec &font)
{
    QFont f(font.name);
    // A size of 0 or less is not a font; keep the toolkit's default then.
    if (font.size > 0)
        f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

int keyUpCode(const QKeyEvent *e)
{
    const int k = e->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return k; // same numbers
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Period: return 190;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Colon:
    case Qt::Key_Semicolon: return 186;
    default: return 0;
    }
}

int mouseButtonCode(Qt::MouseButtons b)
{
    int code = 0;
    if (b & Qt::LeftButton)
        code |= 1;
    if (b & Qt::RightButton)
        code |= 2;
    if (b & Qt::MiddleButton)
        code |= 4;
    return code;
}

void installFontSubstitutes()
{
    // The layouts name the fonts of the original platform; map them onto
    // installed families with the same proportions.
    const auto sub = [](const char *family, std::initializer_list<const char *> with) {
        QStringList l;
        for (const char *w : with)
            l.append(QLatin1String(w));
        QFont::insertSubstitutions(QLatin1String(family), l);
    };
    sub("Tahoma", {"DejaVu Sans", "Noto Sans", "FreeSans"});
    sub("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
    sub("Arial", {"Liberation Sans", "FreeSans"});
    sub("Times New Roman", {"Liberation Serif", "FreeSerif"});
    sub("Courier New", {"Liberation Mono", "FreeMono"});
    sub("Courier New (Arabic)", {"Liberation Mono", "DejaVu Sans Mono", "FreeMono"});
    sub("Webdings", {"DejaVu Sans", "FreeSerif"});
}

void applyLook(QApplication &app)
{
    installFontSubstitutes();
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QPalette pal = QApplication::style()->standardPalette();
    pal.setColor(QPalette::Window, QColor(0xEC, 0xEF, 0xF3));
    pal.setColor(QPalette::Button, QColor(0xF4, 0xF6, 0xF8));
    pal.setColor(QPalette::Highlight, QColor(0x2F, 0x6D, 0xB5));
    QApplication::setPalette(pal);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(8.25);
    app.setFont(f);
}

} // namespace numora::ui
