#pragma once
#include "platform/Form.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"

namespace numora {

// The print dialog Prnt1: the controls the print run reads and writes. Its
// own behaviour (printer choice, page field rules, the Print command) is
// added to this form.
class PrintForm : public Form
{
public:
    PrintForm();

    CheckBox Check1{QStringLiteral("Check1"), QStringLiteral("Likewise: Print  2 Pages ")}; // two-page option
    TextBox Te1{QStringLiteral("Te1")};  // page field
    Label LA1{QStringLiteral("LA1")};    // running number of the generation
};

} // namespace numora
