#pragma once
#include <QString>

namespace numora {

class Form;

// What a form asks of the desktop its windows live on. The program hands
// these to the window system; tests record them.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // Hands a web address to the system's URL handler (the default browser);
    // false when nothing can open it (a local file that is not there, no
    // handler).
    virtual bool openUrl(const QString &address) = 0;
    // Lets the pointer drag the window while the left button is held;
    // without a held button nothing happens.
    virtual void dragWindow(Form &window) = 0;
};

} // namespace numora
