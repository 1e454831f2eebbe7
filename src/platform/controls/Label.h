#pragma once
#include "PropertyTable.h"
#include "Control.h"

#include <functional>

namespace numora {

struct FontSpec
{
    QString name;
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec &) const = default;
};

// A label, also used for picture boxes, frames and hidden text stores.
// With autosize on and a measurer set, its width and height follow its text.
class Label : public WithPropertyTable<Label, Control>
{
public:
    enum Align { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
    using Measurer = std::function<void(const QString &text, const FontSpec &font, double &w, double &h)>;

    explicit Label(QString name, QString caption = {})
        : WithPropertyTable(std::move(name))
        , m_caption(std::move(caption))
    {}
    const char *kind() const override { return "Label"; }

    const QString &caption() const { return m_caption; }
    // A changed caption runs onChange.
    bool setCaption(const QString &c);

    int border() const { return m_border; }
    void setBorder(int b);
    // The pressed look of a label that acts as a button: one on/off state.
    bool pressed() const { return m_pressed; }
    void setPressed(bool p);
    qint32 foreColor() const { return m_fore; }
    void setForeColor(qint32 c);
    qint32 backColor() const { return m_back; }
    void setBackColor(qint32 c);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool t);
    int alignment() const { return m_align; }
    void setAlignment(int a);

    const FontSpec &font() const { return m_font; }
    void setFont(const FontSpec &f);
    void setFontName(const QString &n);
    void setFontSize(double s);
    void setFontBold(bool b);
    void setFontItalic(bool i);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on, Measurer m = {});

    static const PropertyTable<Label> &properties();

    Event<> onChange;

private:
    void fit();

    QString m_caption;
    int m_border = 0;
    bool m_pressed = false;
    qint32 m_fore = qint32(0x80000012);
    qint32 m_back = qint32(0x8000000F);
    bool m_transparent = false;
    int m_align = AlignLeft;
    FontSpec m_font{QStringLiteral("MS Sans Serif"), 8.25, false, false};
    bool m_autoSize = false;
    Measurer m_measure;
};

// A straight line drawn on a picture beneath its child controls.
class LineItem : public WithPropertyTable<LineItem, Control>
{
public:
    using WithPropertyTable::WithPropertyTable;
    const char *kind() const override { return "Line"; }
    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);
    void setPoints(double x1, double y1, double x2, double y2);
    qint32 color() const { return m_color; }
    void setColor(qint32 c);

    static const PropertyTable<LineItem> &properties();

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    qint32 m_color = 0;
};

} // namespace numora
