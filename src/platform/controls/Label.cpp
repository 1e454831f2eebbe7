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

namespace {

// A font with one part changed.
template <class T> FontSpec withPart(FontSpec f, T FontSpec::*part, const T &value)
{
    f.*part = value;
    return f;
}

} // namespace

void Label::setFontName(const QString &n) { setFont(withPart(m_font, &FontSpec::name, n)); }
void Label::setFontSize(double s) { setFont(withPart(m_font, &FontSpec::size, s)); }
void Label::setFontBold(bool b) { setFont(withPart(m_font, &FontSpec::bold, b)); }
void Label::setFontItalic(bool i) { setFont(withPart(m_font, &FontSpec::italic, i)); }

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
    PropertyTable<Label>::field<&Label::caption, &Label::setCaption>("caption"),
    PropertyTable<Label>::field<&Label::border, &Label::setBorder>("border"),
    PropertyTable<Label>::field<&Label::pressed, &Label::setPressed>("pressed"),
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
    PropertyTable<Label>::field<&Label::autoSize>("autosize"),
    PropertyTable<Label>::field<&Label::alignment, &Label::setAlignment>("alignment"),
};

const PropertyTable<LineItem> kLineProperties = {
    PropertyTable<LineItem>::field<&LineItem::x1, &LineItem::setX1>("x1"),
    PropertyTable<LineItem>::field<&LineItem::y1, &LineItem::setY1>("y1"),
    PropertyTable<LineItem>::field<&LineItem::x2, &LineItem::setX2>("x2"),
    PropertyTable<LineItem>::field<&LineItem::y2, &LineItem::setY2>("y2"),
    {"forecolor", [](const LineItem &l) -> QVariant { return l.color(); },
     [](LineItem &l, const QVariant &v) { return l.setColor(qint32(v.toLongLong())), true; }},
};

} // namespace

const PropertyTable<Label> &Label::properties() { return kLabelProperties; }

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

const PropertyTable<LineItem> &LineItem::properties() { return kLineProperties; }

} // namespace numora
