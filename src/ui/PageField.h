#pragma once
#include "BoundLineEdit.h"

namespace numora::ui {

// The print dialog's page field: typing goes through the form's key filter
// as in every bound field, and a click into it is the form's click, which
// selects the whole count the first time so that typing replaces it.
class PageField : public BoundLineEdit
{
public:
    using BoundLineEdit::BoundLineEdit;

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
};

} // namespace numora::ui
