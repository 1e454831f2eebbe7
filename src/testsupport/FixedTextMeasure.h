#pragma once
#include "platform/TextMeasure.h"

namespace numora {

// A fixed size per character, whatever the font: predictable sizes for tests.
class FixedTextMeasure : public TextMeasure
{
public:
    FixedTextMeasure(double perChar, double height)
        : m_perChar(perChar)
        , m_height(height)
    {}
    void measure(const QString &text, const FontSpec &, double &w, double &h) override
    {
        w = m_perChar * double(text.size());
        h = m_height;
    }

private:
    double m_perChar, m_height;
};

} // namespace numora
