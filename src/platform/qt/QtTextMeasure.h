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
    // Building a QFont and its metrics costs more than measuring a short
    // text; a print run measures every number in the same font.
    struct Cached
    {
        FontSpec font;
        QFontMetricsF metrics;
        // Shaping a text is what measuring costs. A text of printable ASCII
        // whose neighbouring characters neither kern nor join is as wide as
        // its characters' advances added up; each advance and each pair is
        // asked of the shaper once.
        std::vector<double> advance;       // per character from ' ', <0: not known yet
        std::vector<signed char> additive; // per pair: -1 not known, 0 no, 1 yes
    };
    static double plainWidth(Cached &c, const QString &text, bool &plain);
    Cached &metrics(const FontSpec &font);
    std::vector<Cached> m_fonts; // most recently used first
};

} // namespace numora
