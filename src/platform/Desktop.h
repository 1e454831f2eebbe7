#pragma once
#include <QString>
#include <QStringList>
#include <utility>

namespace numora {

class Form;

// What a form asks of the desktop its windows live on. The program hands
// these to the window system; tests record them.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // Hands a web address to the system's URL handler (the default browser).
    virtual void openUrl(const QString &address) = 0;
    // Lets the pointer drag the window while the left button is held;
    // without a held button nothing happens.
    virtual void dragWindow(Form &window) = 0;
};

// The test double: every request written down as one line, in order:
//   OpenUrl ADDRESS, DragWindow FORM.
class RecordingDesktop : public Desktop
{
public:
    void openUrl(const QString &address) override { m_lines.append(QStringLiteral("OpenUrl ") + address); }
    void dragWindow(Form &window) override;

    // The lines recorded since the last call.
    QStringList takeLines() { return std::exchange(m_lines, {}); }

private:
    QStringList m_lines;
};

} // namespace numora
