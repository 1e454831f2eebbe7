#pragma once
#include "Services.h"
#include "layout/LayoutDocument.h"
#include "layout/SlotEditors.h"
#include "numbertext/NumberSample.h"
#include "numbertext/NumberStyle.h"
#include "preview/Orientation.h"
#include "platform/Form.h"
#include "preview/PagePreview.h"

namespace numora {

// The main window Start1: owns the open layout and wires every control
// event to its handler.
class MainForm : public Form
{
public:
    explicit MainForm(Services services);

    // Start-up: fills the lists and restores the last run from the settings
    // store, writing every field through its editor.
    void startUp();

    LayoutDocument doc;
    PagePreview preview;
    NumberSample sample;
    SlotEditors slotEditors;
    NumberStyle style;
    Orientation orientation;

    TextBox No1{QStringLiteral("No1")}; // page count mirror of the print dialog
    Timer Timer1; // settle: clears modified once

    QVariant state(const QString &name) const override;
    bool setState(const QString &name, const QVariant &value) override;
    QStringList stateNames() const override;

    Services &services() { return m_services; }
    // Where the settings store keeps this program's entries.
    static QString appName();
    static QString sectionName();

private:
    void wire();
    void registerAll();

    Services m_services;
};

} // namespace numora
