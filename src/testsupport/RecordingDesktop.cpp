#include "RecordingDesktop.h"
#include "platform/Form.h"

namespace numora {

void RecordingDesktop::dragWindow(Form &window) { m_lines.append(QStringLiteral("DragWindow ") + window.name()); }

} // namespace numora
