#pragma once
#include "platform/TextMeasure.h"

#include <QFontMetricsF>
#include <vector>

namespace numora {

// Text sizes from the font metrics of the screen, in twips.
class QtTextMeasure : public TextMeasure
{
public:
    void measure(const QString &text, const FontSpec &font, double &width, double &height) override;

private:
    const QFontMetricsF &metrics(const FontSpec &font);

    // Building a QFont and its metrics costs more than measuring a short
    // text; a print run measures every number in the same font.
    struct Cached
    {
        FontSpec font;
        QFontMetricsF metrics;
    };
    std::vector<Cached> m_fonts; // most recently used first
};

} // namespace numora
