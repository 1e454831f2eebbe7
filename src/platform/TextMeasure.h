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

} // namespace numora
