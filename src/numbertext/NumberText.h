#pragma once
#include <QString>

namespace numora {

// The inputs of the number-text rule, as the layout holds them.
struct NumberTextStyle
{
    QString name;         // nameText
    QString before;       // bracketBefore
    QString after;        // bracketAfter
    int zeroPad = 0;      // only 1 switches padding on
    QString zeroPadWidth; // "1".."8"
    int alignLCR = 0;     // 0, 1 or 2
};

// The zeros that pad a number text of length L to the width W: W - L zeros
// when padding is on, W is 2..8 and 1 <= L < W; otherwise none.
QString zeroPrefix(const NumberTextStyle &style, const QString &numberText);

// Where the rule puts the number in the texts it writes: the lengths of
// what stands before the number's zeros and after its last character.
// Whatever the name holds (digits of any script included), the number is
// found by these, never by reading the text.
struct NumberTextFrame
{
    qsizetype before = 0;
    qsizetype after = 0;
};
NumberTextFrame numberTextFrame(const NumberTextStyle &style);

// The text shown and printed for a number already written as text.
QString composeNumberText(const NumberTextStyle &style, const QString &numberText);
// The same with a given zero prefix (the preview labels reuse the start
// number's prefix for every slot).
QString composeNumberText(const NumberTextStyle &style, const QString &numberText, const QString &prefix);

} // namespace numora
