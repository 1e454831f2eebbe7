#include "ResetCommands.h"
#include "numbertext/NumberSample.h"
#include "platform/Colour.h"
#include "platform/Dialogs.h"
#include "preview/PagePreview.h"

namespace numora {

void ResetCommands::applyResetList()
{
    LayoutDocument &doc = m_deps.doc;
    doc.La5.setBackColor(rgbColour(255, 255, 255));
    doc.La5.setForeColor(0);
    doc.Com1.setText(QStringLiteral("Courier New (Arabic)"));
    doc.La5.setFontName(QStringLiteral("Courier New (Arabic)"));
    doc.La5.setFontBold(false);
    doc.La5.setFontItalic(false);
    doc.Te2.setText(QStringLiteral("6"));
    m_deps.preview.PLine2.setY2(0);
    m_deps.preview.PLine2.setY1(0);
    m_deps.preview.PLine1.setY2(0);
    m_deps.preview.PLine1.setY1(0);
    doc.VScroll2.setValue(25);
    doc.VScroll1.setValue(25);
    // Nothing is drawn on the page surface itself; its controls stay.
    doc.Combo3.setText(QStringLiteral("2 X 2"));
    m_deps.preview.requestRefresh();
    doc.Check1.setValue(1);
    doc.Check2.setValue(1);
    doc.Check3.setValue(1);
    doc.HScroll1.setValue(0);
    doc.Comb1.setText(QStringLiteral("12"));
    doc.ChI1.setValue(0);
    doc.ChB1.setValue(0);
}

void ResetCommands::rest()
{
    LayoutDocument &doc = m_deps.doc;
    const QString lastFour = doc.Label53.caption().right(4);
    if (m_deps.dialogs.message(QStringLiteral("Are you suer to Rest Paper"), QString(), Dialogs::Buttons::OKCancel)
        != Dialogs::Answer::OK)
        return;
    if (lastFour == QLatin1String("None")) {
        applyResetList();
        doc.Te1.setText(QStringLiteral("1"));
        doc.Combo1.setText(QString());
        doc.Combo2.setText(QString());
        doc.Co1.setText(QStringLiteral("No:"));
    } else if (m_deps.reloadOpenFile) {
        m_deps.reloadOpenFile();
    }
}

void ResetCommands::close()
{
    LayoutDocument &doc = m_deps.doc;
    if (doc.modified == 0)
        return;
    const auto answer =
        m_deps.dialogs.message(QStringLiteral("Are you suer to Close Paper"), QString(), Dialogs::Buttons::OKCancel);
    if (answer != Dialogs::Answer::OK) {
        // The layout stays as it is, and so does its mark: clearing it here
        // would let the exit end without offering to save those changes.
        return;
    }
    applyResetList();
    doc.Label53.setCaption(QStringLiteral("File Name : None"));
    doc.Label54.setCaption(QStringLiteral("Type: 2X2"));
    doc.Label56.setCaption(QStringLiteral("Orientation: "));
    doc.LDT1.setCaption(QStringLiteral("None"));
    doc.Te1.setText(QStringLiteral("1"));
    for (auto &slot : doc.signSlots)
        slot->Tx.setText(QStringLiteral("1"));
    doc.Co1.setText(QStringLiteral("No:"));
    doc.Combo1.setText(QString());
    doc.Combo2.setText(QString());
    doc.modified = 0;
}

void ResetCommands::connectEvents()
{
    Label7.onClick.connect([this] { rest(); });
    Label57.onClick.connect([this] { close(); });
}

} // namespace numora
