#include "QtTextMeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

namespace numora {

void QtTextMeasure::measure(const QString &text, const FontSpec &spec, double &width, double &height)
{
    QFont f(spec.name);
    f.setPointSizeF(spec.size > 0 ? spec.size : 8.25);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    const QFontMetricsF fm(f);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const double toTwips = 1440.0 / dpi;
    width = fm.horizontalAdvance(text) * toTwips;
    height = fm.height() * toTwips;
}

} // namespace numora
