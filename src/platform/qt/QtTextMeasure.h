#pragma once
#include "platform/TextMeasure.h"

namespace numora {

// Text sizes from the font metrics of the screen, in twips.
class QtTextMeasure : public TextMeasure
{
public:
    void measure(const QString &text, const FontSpec &font, double &width, double &height) override;
};

} // namespace numora
