#include "NumberSample.h"
#include "platform/Colour.h"
#include "platform/Numeric.h"
#include "platform/TextMeasure.h"
#include "platform/UpdateBatch.h"

namespace numora {

NumberSample::NumberSample(LayoutDocument &doc, Scheduler &scheduler, TextMeasure &measure,
                           std::array<Label *, 12> boxes)
    : previewNumbersTimer(QStringLiteral("Timer5"), scheduler)
    , m_doc(doc)
    , m_boxes(boxes)
{
    auto measurer = [&measure](const QString &t, const FontSpec &f, double &w, double &h) {
        measure.measure(t, f, w, h);
    };
    backdrop.setBackColor(rgbColour(255, 255, 0));
    measuringCopy.setVisible(false);
    measuringCopy.setAutoSize(true, measurer);
    captionMeasure.setVisible(false);
    captionMeasure.setFont(FontSpec{QStringLiteral("Tahoma"), 6.75, false, false});
    captionMeasure.setAutoSize(true, measurer);
    for (int i = 0; i < 12; ++i) {
        auto l = std::make_unique<Label>(QStringLiteral("Test0(%1)").arg(i));
        l->setFont(FontSpec{QStringLiteral("Tahoma"), 6.75, false, false});
        l->setGeometry(0, 0, 1095, 195);
        l->setBackColor(rgbColour(255, 255, 255));
        l->setForeColor(0);
        Test0[std::size_t(i)] = std::move(l);
    }
    previewNumbersTimer.onTick.connect([this] { refreshPreviewNumbers(); });
}

NumberSample::~NumberSample() { UpdateBatch::forget(this); }

NumberTextStyle numberTextStyle(const LayoutDocument &doc)
{
    NumberTextStyle s;
    s.name = doc.nameText.text();
    s.before = doc.bracketBefore.text();
    s.after = doc.bracketAfter.text();
    s.zeroPad = doc.zeroPad.value();
    s.zeroPadWidth = doc.zeroPadWidth.text();
    s.alignLCR = doc.alignLCR.value();
    return s;
}

NumberTextStyle NumberSample::style() const { return numberTextStyle(m_doc); }

const NumberTextStyle &NumberSample::keptStyle()
{
    // A print run refreshes the sample for every number with the style
    // unchanged. A text still sharing the data taken last time is that same
    // text (the copy kept here makes any change detach), so only a changed
    // field is copied again.
    const auto take = [](QString &kept, const QString &now) {
        if (kept.constData() != now.constData() || kept.size() != now.size())
            kept = now;
    };
    take(m_style.name, m_doc.nameText.text());
    take(m_style.before, m_doc.bracketBefore.text());
    take(m_style.after, m_doc.bracketAfter.text());
    take(m_style.zeroPadWidth, m_doc.zeroPadWidth.text());
    m_style.zeroPad = m_doc.zeroPad.value();
    m_style.alignLCR = m_doc.alignLCR.value();
    return m_style;
}

void NumberSample::refreshNumberSample()
{
    m_doc.modified = 1;
    const NumberTextStyle &s = keptStyle();
    const QString number = m_doc.startNumber.text();
    // The zeros depend on the padding switch, the width and the number's
    // length only; numbers of a run mostly share all three.
    PrefixKey &k = m_prefixKey;
    if (k.zeroPad != s.zeroPad || k.length != number.size() || k.width != s.zeroPadWidth) {
        m_zeroPrefix = zeroPrefix(s, number);
        k = PrefixKey{s.zeroPad, s.zeroPadWidth, number.size()};
    }
    m_doc.sampleLabel.setCaption(composeNumberText(s, number, m_zeroPrefix, &m_written));
    // Measuring shapes the text, which costs more than all the rest; within a
    // batch only the sample the batch ends with is measured.
    if (!UpdateBatch::isOpen()) {
        updateSizeReadout();
    } else if (!m_readoutPending) {
        m_readoutPending = true;
        UpdateBatch::defer(this, [this] {
            m_readoutPending = false;
            updateSizeReadout();
        });
    }
    schedulePreviewNumbers(50);
}

void NumberSample::updateSizeReadout()
{
    const Label &sample = m_doc.sampleLabel;
    measuringCopy.setBorder(sample.border());
    measuringCopy.setCaption(sample.caption());
    measuringCopy.setFont(sample.font());
    measuringCopy.setForeColor(sample.foreColor());
    measuringCopy.setBackColor(sample.backColor());
    measuringCopy.setCaption(sample.caption());
    const auto tenths = [](double twips) {
        const auto mm = integerDivide(twips, 56);
        return mm ? shortestDecimal(double(*mm) / 10) : QStringLiteral("0");
    };
    readout.setCaption(QStringLiteral(" Size: ") + tenths(measuringCopy.height()) + QStringLiteral(" cm x ")
                       + tenths(measuringCopy.width()) + QStringLiteral(" cm"));
}

void NumberSample::refreshPreviewNumbers()
{
    const double start = leadingNumber(m_doc.startNumber.text());
    const int order = m_doc.wayPrint.listIndex();
    const NumberTextStyle s = style();
    double k = 0;
    for (int i = 1; i <= 12; ++i) {
        const QString number = shortestDecimal(start + k);
        if (order == 4 || order == 5) {
            if (i % 2 == 0)
                k += 1;
        } else if (order < 4) {
            k += 1;
        }
        Label &label = *Test0[std::size_t(i - 1)];
        label.setCaption(QStringLiteral(" ") + composeNumberText(s, number, m_zeroPrefix) + QStringLiteral(" "));
        label.setBorder(m_doc.sampleLabel.border());
        label.setForeColor(m_doc.sampleLabel.foreColor());
        label.setBackColor(m_doc.sampleLabel.backColor());
    }
    previewNumbersTimer.setInterval(0);
}

void NumberSample::fitPreviewBoxes()
{
    for (int k = 0; k < 12; ++k) {
        Label &label = *Test0[std::size_t(k)];
        captionMeasure.setCaption(label.caption());
        label.setWidth(captionMeasure.width());
        Label *box = m_boxes[std::size_t(k)];
        box->setHeight(label.height());
        box->setWidth(label.width());
    }
}

void NumberSample::filterNumberKey(TextBox &box, int &key, int maxLength)
{
    if (box.selectedText() == box.text())
        box.setText(QString());
    if (key == TextEditing::KeyBackspace)
        return;
    if (key < 48 || key > 59 || box.text().size() > maxLength - 1)
        key = 0;
}

namespace {

// The bracket paired with `bracket` when it stands on the given side of a
// pair (0 opening, 1 closing); empty when it is none.
QString pairedBracket(const QString &bracket, int side)
{
    static const char *pairs[][2] = {{"(", ")"}, {"[", "]"}, {"{", "}"}, {"<", ">"}};
    for (const auto &p : pairs)
        if (bracket == QLatin1String(p[side]))
            return QLatin1String(p[1 - side]);
    return {};
}

// Choosing a bracket puts its partner on the other side; a partner left
// there from another bracket goes.
void pairBrackets(const ComboBox &chosen, ComboBox &other, int side)
{
    const QString partner = pairedBracket(chosen.text(), side);
    if (!partner.isEmpty())
        other.setText(partner);
    else if (!pairedBracket(other.text(), 1 - side).isEmpty())
        other.setText(QString());
}

} // namespace

void NumberSample::bracketBeforeChosen()
{
    pairBrackets(m_doc.bracketBefore, m_doc.bracketAfter, 0);
    refreshNumberSample();
}

void NumberSample::bracketAfterChosen()
{
    pairBrackets(m_doc.bracketAfter, m_doc.bracketBefore, 1);
    refreshNumberSample();
}

void NumberSample::connectEditors()
{
    auto refresh = [this] { refreshNumberSample(); };
    m_doc.nameText.onChange.connect(refresh);
    m_doc.nameText.onClick.connect(refresh);
    m_doc.bracketBefore.onChange.connect(refresh);
    m_doc.bracketBefore.onClick.connect([this] { bracketBeforeChosen(); });
    m_doc.bracketAfter.onChange.connect(refresh);
    m_doc.bracketAfter.onClick.connect([this] { bracketAfterChosen(); });
    m_doc.startNumber.onChange.connect(refresh);
    m_doc.startNumber.onKeyPress.connect([this](int &key) { filterNumberKey(m_doc.startNumber, key, 8); });
    m_doc.zeroPad.onClick.connect([this] {
        refreshNumberSample();
        m_doc.zeroPadWidth.setEnabled(m_doc.zeroPad.value() != 0);
    });
    m_doc.alignLCR.onChange.connect([this] {
        refreshNumberSample();
        schedulePreviewNumbers(1);
    });
    m_doc.zeroPadWidth.onChange.connect(refresh);
    m_doc.zeroPadWidth.onClick.connect(refresh);
    for (auto &label : Test0) {
        label->onClick.connect(refresh);
        label->onChange.connect([this] { fitPreviewBoxes(); });
    }
}

} // namespace numora
