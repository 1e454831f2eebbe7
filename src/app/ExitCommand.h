#pragma once

#include <functional>

namespace numora {

class BrowserForm;
class Dialogs;
class LayoutDocument;
class SaveCommand;
class SettingsStore;

// Ending the program: offers to save a changed layout, writes the layout
// file and the session, and then ends.
class ExitCommand
{
public:
    struct Deps
    {
        Dialogs &dialogs;
        SettingsStore &settings;
        LayoutDocument &doc;
        SaveCommand &save;
        std::function<BrowserForm &()> browser; // created on first use
    };
    explicit ExitCommand(Deps deps)
        : m_deps(std::move(deps))
    {}
    // True when the program may end now; false when the operator stayed
    // (Cancel, no name), the layout could not be written, or the session
    // could not be written and the operator chose to stay.
    bool run();

private:
    Deps m_deps;
};

} // namespace numora
