#include "QtTextMeasure.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

namespace numora {

namespace {
constexpr char16_t FirstPlain = u' ';
constexpr char16_t LastPlain = u'~';
constexpr int PlainCount = LastPlain - FirstPlain + 1;
} // namespace

QtTextMeasure::Cached &QtTextMeasure::metrics(const FontSpec &font)
{
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].font == font) {
            if (i > 0)
                std::rotate(m_fonts.begin(), m_fonts.begin() + std::ptrdiff_t(i),
                            m_fonts.begin() + std::ptrdiff_t(i + 1));
            return m_fonts.front();
        }
    }
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 8.25);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    if (m_fonts.size() >= 8)
        m_fonts.pop_back();
    m_fonts.insert(m_fonts.begin(), Cached{font, QFontMetricsF(f), std::vector<double>(PlainCount, -1),
                                           std::vector<signed char>(PlainCount * PlainCount, -1)});
    return m_fonts.front();
}

double QtTextMeasure::plainWidth(Cached &c, const QString &text, bool &plain)
{
    plain = false;
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        if (ch < FirstPlain || ch > LastPlain)
            return 0;
        double &adv = c.advance[ch - FirstPlain];
        if (adv < 0)
            adv = c.metrics.horizontalAdvance(QChar(ch));
        width += adv;
        if (i == 0)
            continue;
        const char16_t prev = text.at(i - 1).unicode();
        signed char &pair = c.additive[(prev - FirstPlain) * PlainCount + (ch - FirstPlain)];
        if (pair < 0) {
            const double both = c.metrics.horizontalAdvance(QString(QChar(prev)) + QChar(ch));
            const double apart = c.advance[prev - FirstPlain] + adv;
            pair = qAbs(both - apart) < 1e-9 ? 1 : 0;
        }
        if (pair == 0)
            return 0;
    }
    plain = true;
    return width;
}

void QtTextMeasure::measure(const QString &text, const FontSpec &font, double &width, double &height)
{
    Cached &c = metrics(font);
    const QFontMetricsF &fm = c.metrics;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const double toTwips = 1440.0 / dpi;
    bool plain = false;
    const double w = plainWidth(c, text, plain);
    width = (plain ? w : fm.horizontalAdvance(text)) * toTwips;
    height = fm.height() * toTwips;
}

} // namespace numora
