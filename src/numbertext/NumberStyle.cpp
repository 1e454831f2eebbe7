#include "NumberStyle.h"
#include "NumberSample.h"
#include "platform/Dialogs.h"
#include "platform/Numeric.h"

#include <QLocale>

namespace numora {

NumberStyle::NumberStyle(LayoutDocument &doc, NumberSample &sample, Dialogs &dialogs)
    : m_doc(doc)
    , m_sample(sample)
    , m_dialogs(dialogs)
{}

void NumberStyle::boldClicked()
{
    m_doc.sampleLabel.setFontBold(m_doc.fontBold.value() != 0);
    m_sample.updateSizeReadout();
    m_sample.schedulePreviewNumbers(1);
}

void NumberStyle::italicClicked()
{
    m_doc.sampleLabel.setFontItalic(m_doc.fontItalic.value() != 0);
    m_sample.schedulePreviewNumbers(1);
    m_sample.updateSizeReadout();
}

void NumberStyle::borderClicked()
{
    m_doc.sampleLabel.setBorder(m_doc.borderLine.value());
    m_sample.backdrop.setBorder(m_doc.borderLine.value());
    m_sample.updateSizeReadout();
    m_sample.schedulePreviewNumbers(1);
}

void NumberStyle::applySizeText()
{
    // Only a text that is a number as a whole sets the size ("1:5" does not).
    bool ok = false;
    const double size = QLocale::c().toDouble(m_doc.fontSize.text().trimmed(), &ok);
    if (ok && size > 0)
        m_doc.sampleLabel.setFontSize(size);
}

void NumberStyle::fontChosen()
{
    m_doc.sampleLabel.setFontName(m_doc.fontName.text());
    applySizeText();
    m_doc.sampleLabel.setFontItalic(m_doc.fontItalic.value() != 0);
    m_doc.sampleLabel.setFontBold(m_doc.fontBold.value() != 0);
    m_sample.updateSizeReadout();
    m_sample.schedulePreviewNumbers(1);
}

void NumberStyle::sizeChanged()
{
    // Each rewrite runs this handler again before the current run goes on.
    // A rewritten size is left selected, so the next digit typed replaces it
    // instead of growing "1" into "12".
    if (leadingNumber(m_doc.fontSize.text()) > 200) {
        m_doc.fontSize.setText(QStringLiteral("200"));
        m_doc.fontSize.selectAll();
    }
    if (m_doc.fontSize.text().isEmpty() || m_doc.fontSize.text() == QLatin1String("0")) {
        m_doc.fontSize.setText(QStringLiteral("1"));
        m_doc.fontSize.selectAll();
    }
    applySizeText();
    m_sample.schedulePreviewNumbers(1);
    m_sample.updateSizeReadout();
}

void NumberStyle::sizeChosen()
{
    applySizeText();
    m_sample.updateSizeReadout();
}

void NumberStyle::sizeKey(int &key)
{
    if (key == TextEditing::KeyBackspace)
        return;
    if (key < 48 || key > 59 || m_doc.fontSize.text().size() > 3)
        key = 0;
}

bool NumberStyle::chooseColour(bool back)
{
    // The chooser starts from 1 and a result of 1 means "cancelled".
    const auto chosen = m_dialogs.chooseColour(1);
    if (!chosen || *chosen == 1)
        return false;
    back ? m_doc.sampleLabel.setBackColor(*chosen) : m_doc.sampleLabel.setForeColor(*chosen);
    m_sample.schedulePreviewNumbers(1);
    return true;
}

void NumberStyle::connectEditors(Label &orientationButton)
{
    m_doc.fontBold.onClick.connect([this] { boldClicked(); });
    m_doc.fontItalic.onClick.connect([this] { italicClicked(); });
    m_doc.borderLine.onClick.connect([this] { borderClicked(); });
    m_doc.fontName.onClick.connect([this] { fontChosen(); });
    m_doc.fontSize.onChange.connect([this] { sizeChanged(); });
    m_doc.fontSize.onClick.connect([this] { sizeChosen(); });
    m_doc.fontSize.onKeyPress.connect([this](int &key) { sizeKey(key); });
    backColourButton.onClick.connect([this] { chooseColour(true); });
    foreColourButton.onClick.connect([this] { chooseColour(false); });
    orientationButton.onChange.connect([this, &orientationButton] {
        orientationMirror.setCaption(orientationButton.caption());
        m_doc.orientationCaption.setCaption(QStringLiteral("Orientation: ") + orientationButton.caption());
        m_sample.schedulePreviewNumbers(1);
    });
}

} // namespace numora
