#pragma once
#include <QString>
#include <optional>

namespace numora {

// Colours are 32-bit values: 0x00BBGGRR (red in the low byte) or 0x800000nn
// for system colour nn. Files and the settings store hold the decimal text of
// the signed value (white 16777215, system colour 18 -2147483630).
QString colourText(qint32 value);
// The colour a stored text names; nothing when it is not a 32-bit integer.
std::optional<qint32> colourFromText(const QString &text);

constexpr qint32 systemColour(int n) { return qint32(0x80000000u | quint32(n)); }
constexpr bool isSystemColour(qint32 v) { return (quint32(v) & 0xFFFFFF00u) == 0x80000000u; }
constexpr qint32 rgbColour(int r, int g, int b) { return qint32(r | (g << 8) | (b << 16)); }

} // namespace numora
