#include "ResetCommands.h"
#include "numbertext/NumberSample.h"
#include "platform/Colour.h"
#include "platform/Dialogs.h"
#include "preview/PagePreview.h"

namespace numora {

void ResetCommands::applyResetList()
{
    LayoutDocument &doc = m_deps.doc;
    doc.sampleLabel.setBackColor(rgbColour(255, 255, 255));
    doc.sampleLabel.setForeColor(0);
    doc.fontName.setText(QStringLiteral("Courier New (Arabic)"));
    doc.sampleLabel.setFontName(QStringLiteral("Courier New (Arabic)"));
    doc.sampleLabel.setFontBold(false);
    doc.sampleLabel.setFontItalic(false);
    doc.zeroPadWidth.setText(QStringLiteral("6"));
    m_deps.preview.crosshairHorizontal.setY2(0);
    m_deps.preview.crosshairHorizontal.setY1(0);
    m_deps.preview.crosshairVertical.setY2(0);
    m_deps.preview.crosshairVertical.setY1(0);
    doc.leftShift.setValue(25);
    doc.topShift.setValue(25);
    // Nothing is drawn on the page surface itself; its controls stay.
    doc.gridType.setText(QStringLiteral("2 X 2"));
    m_deps.preview.requestRefresh();
    doc.zeroPad.setValue(1);
    doc.moveByMouse.setValue(1);
    doc.borderLine.setValue(1);
    doc.alignLCR.setValue(0);
    doc.fontSize.setText(QStringLiteral("12"));
    doc.fontItalic.setValue(0);
    doc.fontBold.setValue(0);
}

void ResetCommands::rest()
{
    LayoutDocument &doc = m_deps.doc;
    const QString lastFour = doc.fileCaption.caption().right(4);
    if (m_deps.dialogs.message(QStringLiteral("Are you suer to Rest Paper"), QString(), Dialogs::Buttons::OKCancel)
        != Dialogs::Answer::OK)
        return;
    if (lastFour == QLatin1String("None")) {
        applyResetList();
        doc.startNumber.setText(QStringLiteral("1"));
        doc.bracketBefore.setText(QString());
        doc.bracketAfter.setText(QString());
        doc.nameText.setText(QStringLiteral("No:"));
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
    doc.fileCaption.setCaption(QStringLiteral("File Name : None"));
    doc.filePath.clear();
    doc.typeCaption.setCaption(QStringLiteral("Type: 2X2"));
    doc.orientationCaption.setCaption(QStringLiteral("Orientation: "));
    doc.documentName.setCaption(QStringLiteral("None"));
    doc.startNumber.setText(QStringLiteral("1"));
    for (auto &slot : doc.signSlots)
        slot->counter.setText(QStringLiteral("1"));
    doc.nameText.setText(QStringLiteral("No:"));
    doc.bracketBefore.setText(QString());
    doc.bracketAfter.setText(QString());
    doc.modified = 0;
}

void ResetCommands::connectEvents()
{
    resetButton.onClick.connect([this] { rest(); });
    closeButton.onClick.connect([this] { close(); });
}

} // namespace numora
