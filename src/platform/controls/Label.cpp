#include "Label.h"
#include "PropertyTable.h"

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

namespace {

// A colour is a 32-bit value; anything else is refused, not wrapped.
bool setColour(Label &l, const QVariant &v, void (Label::*setter)(qint32))
{
    bool ok = false;
    const qint64 c = v.toLongLong(&ok);
    if (!ok || c < INT32_MIN || c > INT32_MAX)
        return false;
    (l.*setter)(qint32(c));
    return true;
}

const PropertyTable<Label> kLabelProperties = {
    {"caption", [](const Label &l) -> QVariant { return l.caption(); },
     [](Label &l, const QVariant &v) { return l.setCaption(v.toString()); }},
    {"border", [](const Label &l) -> QVariant { return l.border(); },
     [](Label &l, const QVariant &v) { return l.setBorder(v.toInt()), true; }},
    {"pressed", [](const Label &l) -> QVariant { return l.pressed(); },
     [](Label &l, const QVariant &v) { return l.setPressed(v.toBool()), true; }},
    {"forecolor", [](const Label &l) -> QVariant { return l.foreColor(); },
     [](Label &l, const QVariant &v) { return setColour(l, v, &Label::setForeColor); }},
    {"backcolor", [](const Label &l) -> QVariant { return l.backColor(); },
     [](Label &l, const QVariant &v) { return setColour(l, v, &Label::setBackColor); }},
    {"fontname", [](const Label &l) -> QVariant { return l.font().name; },
     [](Label &l, const QVariant &v) { return l.setFontName(v.toString()), true; }},
    {"fontsize", [](const Label &l) -> QVariant { return l.font().size; },
     [](Label &l, const QVariant &v) { return l.setFontSize(v.toDouble()), true; }},
    {"fontbold", [](const Label &l) -> QVariant { return l.font().bold; },
     [](Label &l, const QVariant &v) { return l.setFontBold(v.toBool()), true; }},
    {"fontitalic", [](const Label &l) -> QVariant { return l.font().italic; },
     [](Label &l, const QVariant &v) { return l.setFontItalic(v.toBool()), true; }},
    // Auto-size needs a measurer, which only the form that owns the label has.
    {"autosize", [](const Label &l) -> QVariant { return l.autoSize(); }},
    {"alignment", [](const Label &l) -> QVariant { return l.alignment(); },
     [](Label &l, const QVariant &v) { return l.setAlignment(v.toInt()), true; }},
};

const PropertyTable<LineItem> kLineProperties = {
    {"x1", [](const LineItem &l) -> QVariant { return l.x1(); },
     [](LineItem &l, const QVariant &v) { return l.setX1(v.toDouble()), true; }},
    {"y1", [](const LineItem &l) -> QVariant { return l.y1(); },
     [](LineItem &l, const QVariant &v) { return l.setY1(v.toDouble()), true; }},
    {"x2", [](const LineItem &l) -> QVariant { return l.x2(); },
     [](LineItem &l, const QVariant &v) { return l.setX2(v.toDouble()), true; }},
    {"y2", [](const LineItem &l) -> QVariant { return l.y2(); },
     [](LineItem &l, const QVariant &v) { return l.setY2(v.toDouble()), true; }},
    {"forecolor", [](const LineItem &l) -> QVariant { return l.color(); },
     [](LineItem &l, const QVariant &v) { return l.setColor(qint32(v.toLongLong())), true; }},
};

} // namespace

bool Label::has(const QString &p) const { return kLabelProperties.find(p) != nullptr || Control::has(p); }

QVariant Label::get(const QString &p) const
{
    if (const auto v = kLabelProperties.get(*this, p))
        return *v;
    return Control::get(p);
}

bool Label::set(const QString &p, const QVariant &v)
{
    if (const auto done = kLabelProperties.set(*this, p, v))
        return *done;
    return Control::set(p, v);
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

bool LineItem::has(const QString &p) const { return kLineProperties.find(p) != nullptr || Control::has(p); }

QVariant LineItem::get(const QString &p) const
{
    if (const auto v = kLineProperties.get(*this, p))
        return *v;
    return Control::get(p);
}

bool LineItem::set(const QString &p, const QVariant &v)
{
    if (const auto done = kLineProperties.set(*this, p, v))
        return *done;
    return Control::set(p, v);
}

} // namespace numora
