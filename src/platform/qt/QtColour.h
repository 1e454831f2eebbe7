#pragma once
#include "platform/Colour.h"

#include <QColor>

class QPalette;

namespace numora {

// For drawing only: a system colour becomes the palette's colour for it. The
// forms keep the value; only views and the printer resolve it, so the core
// needs no QtGui.
QColor resolveColour(qint32 value, const QPalette &palette);

} // namespace numora
