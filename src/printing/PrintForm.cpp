#include "PrintForm.h"

namespace numora {

PrintForm::PrintForm()
    : Form(QStringLiteral("Prnt1"))
{
    for (Control *c : std::initializer_list<Control *>{&Check1, &Te1, &LA1})
        registerControl(*c);
}

} // namespace numora
