#pragma once
#include <QStringList>

namespace numora {

// What the windows and the printer agree on about texts.

// Number texts take their reading direction from their first strong letter
// (an Arabic name reads right to left, a Latin one left to right), on paper
// and on screen alike, so that the sample shows what prints.
constexpr Qt::LayoutDirection NumberTextDirection = Qt::LayoutDirectionAuto;

// Font family names as the operator picks them: the foundry that Qt appends
// to a family installed by more than one ("C059 [urw]") dropped, each family
// once, sorted. The plain name still finds the family.
QStringList plainFontFamilies(const QStringList &families);
// The installed families, so named.
QStringList installedFontFamilies();

} // namespace numora
