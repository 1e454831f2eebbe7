#include "PageField.h"

#include <QMouseEvent>

namespace numora::ui {

void PageField::mouseReleaseEvent(QMouseEvent *e)
{
    BoundLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        control().click();
}

} // namespace numora::ui
