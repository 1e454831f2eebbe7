#pragma once
#include "layout/LayoutDocument.h"

#include <functional>

namespace numora {

class Dialogs;
class NumberSample;
class PagePreview;

// "Rest" and "Close": give the open layout its standard values back, or
// reload the open file from disk.
class ResetCommands
{
public:
    struct Deps
    {
        LayoutDocument &doc;
        PagePreview &preview;
        NumberSample &sample;
        Dialogs &dialogs;
        // Reloads the open layout file from disk shortly after.
        std::function<void()> reloadOpenFile;
    };
    explicit ResetCommands(Deps deps)
        : m_deps(std::move(deps))
    {}

    Label resetButton{QStringLiteral("Label7"), QStringLiteral("Rest")};
    Label closeButton{QStringLiteral("Label57"), QStringLiteral("Close")};

    void connectEvents();
    void applyResetList();
    void rest();
    void close();

private:
    Deps m_deps;
};

} // namespace numora
