#include "OrientationCodeLabel.h"
#include "ViewSupport.h"

#include <QFontDatabase>
#include <QPainter>

namespace numora::ui {

static const QString kSymbolFont = QStringLiteral("Webdings");

OrientationCodeLabel::OrientationCodeLabel(Label &code, QWidget *parent)
    : QWidget(parent)
    , m_code(code)
    , m_haveSymbolFont(QFontDatabase::families().contains(kSymbolFont))
{
    setToolTip(tr("Orientation of the page"));
    onViewUpdate(code, this, [](OrientationCodeLabel *w) { w->update(); });
}

QString OrientationCodeLabel::glyphFor(const QString &code, bool haveSymbolFont)
{
    if (haveSymbolFont)
        return code;
    if (code == QLatin1String("4"))
        return QStringLiteral("\u25B6");
    if (code == QLatin1String("6"))
        return QStringLiteral("\u25BC");
    return code;
}

void OrientationCodeLabel::paintEvent(QPaintEvent *)
{
    if (!m_code.visible())
        return;
    QPainter p(this);
    QFont f = m_haveSymbolFont ? QFont(kSymbolFont) : QFont(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(8, height() - 2));
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect(), Qt::AlignCenter, glyphFor(m_code.caption(), m_haveSymbolFont));
}

} // namespace numora::ui
