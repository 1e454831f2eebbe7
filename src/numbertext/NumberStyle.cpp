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
{
}

void NumberStyle::boldClicked()
{
    m_doc.La5.setFontBold(m_doc.ChB1.value() != 0);
    m_sample.updateSizeReadout();
    m_sample.schedulePreviewNumbers(1);
}

void NumberStyle::italicClicked()
{
    m_doc.La5.setFontItalic(m_doc.ChI1.value() != 0);
    m_sample.schedulePreviewNumbers(1);
    m_sample.updateSizeReadout();
}

void NumberStyle::borderClicked()
{
    m_doc.La5.setBorder(m_doc.Check3.value());
    m_sample.Label6.setBorder(m_doc.Check3.value());
    m_sample.updateSizeReadout();
    m_sample.schedulePreviewNumbers(1);
}

void NumberStyle::applySizeText()
{
    // Only a text that is a number as a whole sets the size ("1:5" does not).
    bool ok = false;
    const double size = QLocale::c().toDouble(m_doc.Comb1.text().trimmed(), &ok);
    if (ok && size > 0)
        m_doc.La5.setFontSize(size);
}

void NumberStyle::fontChosen()
{
    m_doc.La5.setFontName(m_doc.Com1.text());
    applySizeText();
    m_doc.La5.setFontItalic(m_doc.ChI1.value() != 0);
    m_doc.La5.setFontBold(m_doc.ChB1.value() != 0);
    m_sample.updateSizeReadout();
    m_sample.schedulePreviewNumbers(1);
}

void NumberStyle::sizeChanged()
{
    // Each rewrite runs this handler again before the current run goes on.
    // A rewritten size is left selected, so the next digit typed replaces it
    // instead of growing "1" into "12".
    if (leadingNumber(m_doc.Comb1.text()) > 200) {
        m_doc.Comb1.setText(QStringLiteral("200"));
        m_doc.Comb1.selectAll();
    }
    if (m_doc.Comb1.text().isEmpty() || m_doc.Comb1.text() == QLatin1String("0")) {
        m_doc.Comb1.setText(QStringLiteral("1"));
        m_doc.Comb1.selectAll();
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
    if (key < 48 || key > 59 || m_doc.Comb1.text().size() > 3)
        key = 0;
}

bool NumberStyle::chooseColour(bool back)
{
    // The chooser starts from 1 and a result of 1 means "cancelled".
    const auto chosen = m_dialogs.chooseColour(1);
    if (!chosen || *chosen == 1)
        return false;
    back ? m_doc.La5.setBackColor(*chosen) : m_doc.La5.setForeColor(*chosen);
    m_sample.schedulePreviewNumbers(1);
    return true;
}

void NumberStyle::connectEditors(Label &orientationButton)
{
    m_doc.ChB1.onClick.connect([this] { boldClicked(); });
    m_doc.ChI1.onClick.connect([this] { italicClicked(); });
    m_doc.Check3.onClick.connect([this] { borderClicked(); });
    m_doc.Com1.onClick.connect([this] { fontChosen(); });
    m_doc.Comb1.onChange.connect([this] { sizeChanged(); });
    m_doc.Comb1.onClick.connect([this] { sizeChosen(); });
    m_doc.Comb1.onKeyPress.connect([this](int &key) { sizeKey(key); });
    Command4.onClick.connect([this] { chooseColour(true); });
    Command5.onClick.connect([this] { chooseColour(false); });
    orientationButton.onChange.connect([this, &orientationButton] {
        Label55.setCaption(orientationButton.caption());
        m_doc.Label56.setCaption(QStringLiteral("Orientation: ") + orientationButton.caption());
        m_sample.schedulePreviewNumbers(1);
    });
}

} // namespace numora
