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

// The number as the rule wrote it into a text: where its digits stand, how
// many there are (the zeros put before them included) and their value. The
// digits that count are the number text's last ASCII digits; a sign or a
// decimal point it was written with stays with the text before them, and
// whatever the name holds (digits of any script included) is never counted.
// digits is 0 when there are none, or too many (over 18) to count with.
struct WrittenNumber
{
    qsizetype at = 0;
    int digits = 0;
    qint64 value = 0;
};

// The text shown and printed for a number already written as text.
QString composeNumberText(const NumberTextStyle &style, const QString &numberText);
// The same with a given zero prefix (the preview labels reuse the start
// number's prefix for every slot); `written`, when given, is where the
// number went.
QString composeNumberText(const NumberTextStyle &style, const QString &numberText, const QString &prefix,
                          WrittenNumber *written = nullptr);

} // namespace numora
