#pragma once
#include "layout/CodeSettings.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"

#include <array>
#include <memory>

namespace numora {

// One number position of the page: its editors are the only copy of its
// fields. topCm runs along the page's long edge, leftCm along the short one.
struct SignSlot
{
    explicit SignSlot(int n);
    int number;
    TextBox counter;      // Tx<n>
    TextBox topCm;        // Tee<n>
    TextBox leftCm;       // Teee<n>
    ScrollBar topScroll;  // VS<n>, hundredths of a centimetre
    ScrollBar leftScroll; // VSc<n>
};

struct GridTypeInfo
{
    const char *text;
    const char *tag;
    int slotCount;
};
// The eight grid types, in list order.
const std::array<GridTypeInfo, 8> &gridTypes();
// The entry whose text matches exactly, or nullptr.
const GridTypeInfo *findGridType(const QString &text);

QStringList wayPrintItems();
QStringList nameTextItems();
QStringList bracketBeforeItems();
QStringList bracketAfterItems();
QStringList fontSizeItems();
QStringList zeroPadWidthItems();

// The page-wide fields as the layout file and the settings store write them,
// in their shared order (nameText .. moveByMouse, backColor, foreColor): texts
// as held, except the padding width, font size and orientation code, which
// are trimmed; numbers and colours as decimal text.
class LayoutDocument;
QStringList pageFieldTexts(const LayoutDocument &doc);

// The open layout and the window state beside it. Every field lives in the
// control that edits it; these members are those controls, named by their
// fields, registered under the window's control names, with its design values.
class LayoutDocument
{
public:
    LayoutDocument();

    ComboBox nameText{QStringLiteral("Co1"), ComboBox::Editable};
    ComboBox gridType{QStringLiteral("Combo3"), ComboBox::PickList};
    ComboBox bracketBefore{QStringLiteral("Combo1"), ComboBox::Editable};
    ComboBox bracketAfter{QStringLiteral("Combo2"), ComboBox::Editable};
    ComboBox wayPrint{QStringLiteral("WayPrint"), ComboBox::PickList};
    CheckBox borderLine{QStringLiteral("Check3"), QStringLiteral("Line")};
    ComboBox fontName{QStringLiteral("Com1"), ComboBox::Editable};
    TextBox startNumber{QStringLiteral("Te1")};
    ScrollBar alignLCR{QStringLiteral("HScroll1"), 0, 2, 0, 1, 1};
    CheckBox zeroPad{QStringLiteral("Check1"), QStringLiteral("000")};
    ComboBox zeroPadWidth{QStringLiteral("Te2"), ComboBox::PickList};
    ComboBox fontSize{QStringLiteral("Comb1"), ComboBox::Editable};
    Label orientationCode{QStringLiteral("Ttt"), QStringLiteral("4")};
    CheckBox fontItalic{QStringLiteral("ChI1"), QStringLiteral("I")};
    CheckBox fontBold{QStringLiteral("ChB1"), QStringLiteral("B")};
    CheckBox moveByMouse{QStringLiteral("Check2"), QStringLiteral("Move by Mouse")};
    Label sampleLabel{QStringLiteral("La5")}; // number sample: backColor and foreColor

    // Shift spinners and the mouse-placement slot.
    ScrollBar topShift{QStringLiteral("VScroll1"), 1, 50, 50, 1, 5};
    ScrollBar leftShift{QStringLiteral("VScroll2"), 1, 50, 50, 1, 5};
    ComboBox placementSlot{QStringLiteral("Combo4"), ComboBox::PickList};

    std::array<std::unique_ptr<SignSlot>, 12> signSlots;
    SignSlot &slot(int n)
    {
        Q_ASSERT(n >= 1 && n <= int(signSlots.size()));
        return *signSlots[std::size_t(n - 1)];
    }
    const SignSlot &slot(int n) const
    {
        Q_ASSERT(n >= 1 && n <= int(signSlots.size()));
        return *signSlots[std::size_t(n - 1)];
    }

    // Window state beside the document.
    int modified = 0;
    QString orientationMark = QStringLiteral("Ver");
    QString typeTag;
    int slotCount = 12;
    Label autoPlace{QStringLiteral("D1"), QStringLiteral("No")};
    Label documentName{QStringLiteral("LDT1"), QStringLiteral("None")};
    int topSpinLast = 0;
    int leftSpinLast = 0;

    Label fileCaption{QStringLiteral("Label53"), QStringLiteral("File Name : None")};
    // The file the open layout was opened from or last saved to; empty for a
    // layout that has none. A run that printed writes its numbering there.
    QString filePath;
    Label typeCaption{QStringLiteral("Label54"), QStringLiteral("Type :")};
    Label orientationCaption{QStringLiteral("Label56"), QStringLiteral("Orientation: Horizontal")};

    // The machine-readable code printed beside each number; kept in a side
    // file next to the layout file, which stays as other programs read it.
    CodeSettings code;
};

} // namespace numora
