#pragma once
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
    TextBox Tx;   // counter
    TextBox Tee;  // topCm
    TextBox Teee; // leftCm
    ScrollBar VS; // topScroll, hundredths of a centimetre
    ScrollBar VSc; // leftScroll
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
// control that edits it; these members are those controls, with the window's
// design values.
class LayoutDocument
{
public:
    LayoutDocument();

    ComboBox Co1{QStringLiteral("Co1"), ComboBox::Editable};        // nameText
    ComboBox Combo3{QStringLiteral("Combo3"), ComboBox::PickList};  // gridType
    ComboBox Combo1{QStringLiteral("Combo1"), ComboBox::Editable};  // bracketBefore
    ComboBox Combo2{QStringLiteral("Combo2"), ComboBox::Editable};  // bracketAfter
    ComboBox WayPrint{QStringLiteral("WayPrint"), ComboBox::PickList};
    CheckBox Check3{QStringLiteral("Check3"), QStringLiteral("Line")}; // borderLine
    ComboBox Com1{QStringLiteral("Com1"), ComboBox::Editable};      // fontName
    TextBox Te1{QStringLiteral("Te1")};                             // startNumber
    ScrollBar HScroll1{QStringLiteral("HScroll1"), 0, 2, 0, 1, 1};  // alignLCR
    CheckBox Check1{QStringLiteral("Check1"), QStringLiteral("000")}; // zeroPad
    ComboBox Te2{QStringLiteral("Te2"), ComboBox::PickList};        // zeroPadWidth
    ComboBox Comb1{QStringLiteral("Comb1"), ComboBox::Editable};    // fontSize
    Label Ttt{QStringLiteral("Ttt"), QStringLiteral("4")};          // orientationCode
    CheckBox ChI1{QStringLiteral("ChI1"), QStringLiteral("I")};     // fontItalic
    CheckBox ChB1{QStringLiteral("ChB1"), QStringLiteral("B")};     // fontBold
    CheckBox Check2{QStringLiteral("Check2"), QStringLiteral("Move by Mouse")}; // moveByMouse
    Label La5{QStringLiteral("La5")}; // number sample: backColor and foreColor

    // Shift spinners and the mouse-placement slot.
    ScrollBar VScroll1{QStringLiteral("VScroll1"), 1, 50, 50, 1, 5};
    ScrollBar VScroll2{QStringLiteral("VScroll2"), 1, 50, 50, 1, 5};
    ComboBox Combo4{QStringLiteral("Combo4"), ComboBox::PickList};

    std::array<std::unique_ptr<SignSlot>, 12> signSlots;
    SignSlot &slot(int n) { return *signSlots[std::size_t(n - 1)]; }

    // Window state beside the document.
    int modified = 0;
    QString orientationMark = QStringLiteral("Ver");
    QString typeTag;
    int slotCount = 12;
    Label D1{QStringLiteral("D1"), QStringLiteral("No")};      // autoPlace
    Label LDT1{QStringLiteral("LDT1"), QStringLiteral("None")}; // documentName
    int topSpinLast = 0;
    int leftSpinLast = 0;

    Label Label53{QStringLiteral("Label53"), QStringLiteral("File Name : None")};
    Label Label54{QStringLiteral("Label54"), QStringLiteral("Type :")};
    Label Label56{QStringLiteral("Label56"), QStringLiteral("Orientation: Horizontal")};
};

} // namespace numora
