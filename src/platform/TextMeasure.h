#pragma once
#include "controls/Label.h"

namespace numora {

// Width and height in twips (1440 per inch) of a text in a font.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    virtual void measure(const QString &text, const FontSpec &font, double &width, double &height) = 0;
};

// A fixed size per character, whatever the font: predictable sizes for tests.
class FixedTextMeasure : public TextMeasure
{
public:
    FixedTextMeasure(double perChar, double height) : m_perChar(perChar), m_height(height) {}
    void measure(const QString &text, const FontSpec &, double &w, double &h) override
    {
        w = m_perChar * double(text.size());
        h = m_height;
    }

private:
    double m_perChar, m_height;
};

} // namespace numora
