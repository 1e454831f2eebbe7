#include "Form.h"

namespace numora {

QVariant Form::state(const QString &) const
{
    return {};
}

bool Form::setState(const QString &, const QVariant &)
{
    return false;
}

} // namespace numora
