#pragma once

namespace numora {

class MainForm;

// Ending the program: offers to save a changed layout, writes the layout
// file and the session, and then ends.
class ExitCommand
{
public:
    explicit ExitCommand(MainForm &form) : m_form(form) {}
    // True when the program may end now; false when the operator stayed
    // (Cancel, no name), the layout could not be written, or the session
    // could not be written and the operator chose to stay.
    bool run();

private:
    MainForm &m_form;
};

} // namespace numora
