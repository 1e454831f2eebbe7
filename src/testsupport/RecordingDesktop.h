#pragma once
#include "platform/Desktop.h"

#include <QStringList>
#include <utility>

namespace numora {

// The Desktop test double: every request written down as one line, in order:
//   OpenUrl ADDRESS, DragWindow FORM.
class RecordingDesktop : public Desktop
{
public:
    // Addresses are refused (as by a desktop with no browser) while set.
    bool refuseAddresses = false;

    bool openUrl(const QString &address) override
    {
        m_lines.append(QStringLiteral("OpenUrl ") + address);
        return !refuseAddresses;
    }
    void dragWindow(Form &window) override;

    // The lines recorded since the last call.
    QStringList takeLines() { return std::exchange(m_lines, {}); }

private:
    QStringList m_lines;
};

} // namespace numora
