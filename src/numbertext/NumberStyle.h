#pragma once
#include "layout/LayoutDocument.h"

namespace numora {

class Dialogs;
class NumberSample;

// The style editors of the number sample: font, size, bold, italic, border
// and the two colours. The sample La5 holds the style; these editors write it.
class NumberStyle
{
public:
    NumberStyle(LayoutDocument &doc, NumberSample &sample, Dialogs &dialogs);

    Label backColourButton{QStringLiteral("Command4"), QStringLiteral("B-Color")};
    Label foreColourButton{QStringLiteral("Command5"), QStringLiteral("F-Color")};
    Label orientationMirror{QStringLiteral("Label55")};

    void connectEditors(Label &orientationButton);

    void boldClicked();
    void italicClicked();
    void borderClicked();
    void fontChosen();
    void sizeChanged();
    void sizeChosen();
    void sizeKey(int &key);
    // Returns true when a colour was taken.
    bool chooseColour(bool back);

private:
    void applySizeText();
    LayoutDocument &m_doc;
    NumberSample &m_sample;
    Dialogs &m_dialogs;
};

} // namespace numora
