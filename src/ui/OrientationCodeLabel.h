#pragma once
#include "platform/controls/Label.h"

#include <QWidget>

namespace numora::ui {

// Shows the orientation code ("4" lying, "6" standing) as the triangle the
// symbol font draws for it: a right-pointing or a down-pointing one. Without
// that font, the same triangles come from a font that has them.
class OrientationCodeLabel : public QWidget
{
public:
    OrientationCodeLabel(Label &code, QWidget *parent = nullptr);
    // The glyph shown for a code, and whether it needs the symbol font.
    static QString glyphFor(const QString &code, bool haveSymbolFont);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Label &m_code;
    bool m_haveSymbolFont;
};

} // namespace numora::ui
