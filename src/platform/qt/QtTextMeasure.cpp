#include "QtTextMeasure.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

namespace numora {

const QFontMetricsF &QtTextMeasure::metrics(const FontSpec &font)
{
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].font == font) {
            if (i > 0)
                std::rotate(m_fonts.begin(), m_fonts.begin() + std::ptrdiff_t(i), m_fonts.begin() + std::ptrdiff_t(i + 1));
            return m_fonts.front().metrics;
        }
    }
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 8.25);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    if (m_fonts.size() >= 8)
        m_fonts.pop_back();
    m_fonts.insert(m_fonts.begin(), Cached{font, QFontMetricsF(f)});
    return m_fonts.front().metrics;
}

void QtTextMeasure::measure(const QString &text, const FontSpec &font, double &width, double &height)
{
    const QFontMetricsF &fm = metrics(font);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const double toTwips = 1440.0 / dpi;
    width = fm.horizontalAdvance(text) * toTwips;
    height = fm.height() * toTwips;
}

} // namespace numora
