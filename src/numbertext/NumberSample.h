#pragma once
#include "NumberText.h"
#include "layout/LayoutDocument.h"
#include "platform/controls/Timer.h"

namespace numora {

class TextMeasure;

// The number-text rule's inputs as the layout's fields hold them.
NumberTextStyle numberTextStyle(const LayoutDocument &doc);

// The number sample La5 and everything that mirrors it: the size readout,
// the measuring labels and the twelve preview labels inside the page's
// number boxes.
class NumberSample
{
public:
    NumberSample(LayoutDocument &doc, Scheduler &scheduler, TextMeasure &measure, std::array<Label *, 12> boxes);
    ~NumberSample();

    Label backdrop{QStringLiteral("Label6")};   // yellow
    Label measuringCopy{QStringLiteral("LA1")}; // hidden, of the sample
    Label readout{QStringLiteral("La00"), QStringLiteral("00000000000000000000000")};
    Label captionMeasure{QStringLiteral("Label58")}; // hidden, of preview captions
    std::array<std::unique_ptr<Label>, 12> Test0;
    Timer previewNumbersTimer; // Timer5

    NumberTextStyle style() const;
    const QString &zeroPrefixText() const { return m_zeroPrefix; }
    // Where the rule wrote the number into the sample's caption.
    const WrittenNumber &writtenNumber() const { return m_written; }

    void refreshNumberSample();
    void updateSizeReadout();
    void refreshPreviewNumbers();
    void fitPreviewBoxes();
    void schedulePreviewNumbers(int ms) { previewNumbersTimer.setInterval(ms); }

    // Key filter of the start number (at most 8 typed characters) and of the
    // page count mirror (at most 4).
    void filterNumberKey(TextBox &box, int &key, int maxLength);
    // Choosing an item pairs the brackets.
    void bracketBeforeChosen();
    void bracketAfterChosen();

    // Wires the edits of the number-text fields to the refresh.
    void connectEditors();

private:
    LayoutDocument &m_doc;
    std::array<Label *, 12> m_boxes;
    const NumberTextStyle &keptStyle();

    // What the zero prefix was made from.
    struct PrefixKey
    {
        int zeroPad = -1;
        QString width;
        qsizetype length = -1;
    };

    QString m_zeroPrefix;
    WrittenNumber m_written;
    PrefixKey m_prefixKey;
    NumberTextStyle m_style;
    bool m_readoutPending = false;
};

} // namespace numora
