#include "Label.h"

namespace numora {

bool Label::setCaption(const QString &c)
{
    if (c == m_caption)
        return true;
    m_caption = c;
    fit();
    viewChanged();
    onChange.raise();
    return true;
}

void Label::setBorder(int b)
{
    if (b == m_border)
        return;
    m_border = b;
    fit();
    viewChanged();
}

void Label::setPressed(bool p)
{
    if (p == m_pressed)
        return;
    m_pressed = p;
    viewChanged();
}

void Label::setForeColor(qint32 c)
{
    if (c == m_fore)
        return;
    m_fore = c;
    viewChanged();
}

void Label::setBackColor(qint32 c)
{
    if (c == m_back)
        return;
    m_back = c;
    viewChanged();
}

void Label::setTransparent(bool t)
{
    if (t == m_transparent)
        return;
    m_transparent = t;
    viewChanged();
}

void Label::setAlignment(int a)
{
    if (a == m_align)
        return;
    m_align = a;
    viewChanged();
}

void Label::setFont(const FontSpec &f)
{
    if (f == m_font)
        return;
    m_font = f;
    fit();
    viewChanged();
}

void Label::setFontName(const QString &n)
{
    FontSpec f = m_font;
    f.name = n;
    setFont(f);
}

void Label::setFontSize(double s)
{
    FontSpec f = m_font;
    f.size = s;
    setFont(f);
}

void Label::setFontBold(bool b)
{
    FontSpec f = m_font;
    f.bold = b;
    setFont(f);
}

void Label::setFontItalic(bool i)
{
    FontSpec f = m_font;
    f.italic = i;
    setFont(f);
}

void Label::setAutoSize(bool on, Measurer m)
{
    m_autoSize = on;
    m_measure = std::move(m);
    fit();
}

void Label::fit()
{
    if (!m_autoSize || !m_measure)
        return;
    double w = 0, h = 0;
    m_measure(m_caption, m_font, w, h);
    // A border adds a line on each side, as the toolkit's labels do.
    if (m_border) {
        w += 30;
        h += 30;
    }
    setGeometry(left(), top(), w, h);
}

static bool isColorProperty(const QString &p)
{
    return p == QLatin1String("forecolor") || p == QLatin1String("backcolor");
}

bool Label::has(const QString &p) const
{
    static const QStringList own = {
        QStringLiteral("caption"),   QStringLiteral("border"),     QStringLiteral("forecolor"),
        QStringLiteral("backcolor"), QStringLiteral("fontname"),   QStringLiteral("fontsize"),
        QStringLiteral("fontbold"),  QStringLiteral("fontitalic"), QStringLiteral("autosize"),
        QStringLiteral("alignment"), QStringLiteral("pressed")};
    return own.contains(p) || Control::has(p);
}

QVariant Label::get(const QString &p) const
{
    if (p == QLatin1String("caption"))
        return m_caption;
    if (p == QLatin1String("border"))
        return m_border;
    if (p == QLatin1String("pressed"))
        return m_pressed;
    if (p == QLatin1String("forecolor"))
        return m_fore;
    if (p == QLatin1String("backcolor"))
        return m_back;
    if (p == QLatin1String("fontname"))
        return m_font.name;
    if (p == QLatin1String("fontsize"))
        return m_font.size;
    if (p == QLatin1String("fontbold"))
        return m_font.bold;
    if (p == QLatin1String("fontitalic"))
        return m_font.italic;
    if (p == QLatin1String("autosize"))
        return m_autoSize;
    if (p == QLatin1String("alignment"))
        return m_align;
    return Control::get(p);
}

bool Label::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("caption"))
        return setCaption(v.toString());
    if (p == QLatin1String("border"))
        setBorder(v.toInt());
    else if (isColorProperty(p)) {
        bool ok = false;
        const qint64 c = v.toLongLong(&ok);
        if (!ok || c < INT32_MIN || c > INT32_MAX)
            return false;
        p == QLatin1String("forecolor") ? setForeColor(qint32(c)) : setBackColor(qint32(c));
    } else if (p == QLatin1String("fontname"))
        setFontName(v.toString());
    else if (p == QLatin1String("fontsize"))
        setFontSize(v.toDouble());
    else if (p == QLatin1String("fontbold"))
        setFontBold(v.toBool());
    else if (p == QLatin1String("fontitalic"))
        setFontItalic(v.toBool());
    else if (p == QLatin1String("alignment"))
        setAlignment(v.toInt());
    else if (p == QLatin1String("pressed"))
        setPressed(v.toBool());
    else
        return Control::set(p, v);
    return true;
}

void LineItem::setX1(double v) { setPoints(v, m_y1, m_x2, m_y2); }
void LineItem::setY1(double v) { setPoints(m_x1, v, m_x2, m_y2); }
void LineItem::setX2(double v) { setPoints(m_x1, m_y1, v, m_y2); }
void LineItem::setY2(double v) { setPoints(m_x1, m_y1, m_x2, v); }

void LineItem::setPoints(double x1, double y1, double x2, double y2)
{
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2)
        return;
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    viewChanged();
}

void LineItem::setColor(qint32 c)
{
    if (c == m_color)
        return;
    m_color = c;
    viewChanged();
}

bool LineItem::has(const QString &p) const
{
    return p == QLatin1String("x1") || p == QLatin1String("y1") || p == QLatin1String("x2") || p == QLatin1String("y2")
           || p == QLatin1String("forecolor") || Control::has(p);
}

QVariant LineItem::get(const QString &p) const
{
    if (p == QLatin1String("x1"))
        return m_x1;
    if (p == QLatin1String("y1"))
        return m_y1;
    if (p == QLatin1String("x2"))
        return m_x2;
    if (p == QLatin1String("y2"))
        return m_y2;
    if (p == QLatin1String("forecolor"))
        return m_color;
    return Control::get(p);
}

bool LineItem::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("x1"))
        setX1(v.toDouble());
    else if (p == QLatin1String("y1"))
        setY1(v.toDouble());
    else if (p == QLatin1String("x2"))
        setX2(v.toDouble());
    else if (p == QLatin1String("y2"))
        setY2(v.toDouble());
    else if (p == QLatin1String("forecolor"))
        setColor(qint32(v.toLongLong()));
    else
        return Control::set(p, v);
    return true;
}

} // namespace numora
