#include "PrintOrderEngine.h"

#include <algorithm>
#include "platform/Numeric.h"

#include <cmath>

namespace numora {

namespace {

// leadingNumber(shortestDecimal(v)): what the field reads back after v was
// written into it. Whole numbers below 1e15 come back unchanged, which spares
// the text round trip on the common path.
double readBack(double v)
{
    if (std::fabs(v) < 1e15 && v == std::floor(v))
        return v;
    return leadingNumber(shortestDecimal(v));
}

// The start number field: either a text put there (by the operator or a
// counter's copy) or a number the run wrote, whose text is made only when
// somebody needs it.
struct StartField
{
    QString text;
    double written = 0;
    bool holdsWritten = false;

    void write(double v)
    {
        written = v;
        holdsWritten = true;
    }
    void setText(const QString &t)
    {
        text = t;
        holdsWritten = false;
    }
    double value() const { return holdsWritten ? readBack(written) : leadingNumber(text); }
    QString finalText() const { return holdsWritten ? shortestDecimal(written) : text; }
};

// Counters are advanced pairwise swapped from slot 5 on, so the start number
// field ends with the counter advanced last.
constexpr std::array<int, 12> kCounterEndOrder{1, 2, 3, 4, 6, 5, 8, 7, 10, 9, 12, 11};

} // namespace

int slotsOnPage(const QString &gridType)
{
    const double k = leadingNumber(gridType);
    if (!(k >= 1))
        return 0;
    return k >= 12 ? 12 : int(k);
}

double runNumberingReach(int order, int slotCount, double pages, double start, const std::array<double, 12> &counters)
{
    const double p = std::fabs(pages);
    if (order == 7 || order == 8) {
        double reach = 0;
        for (int n = 1; n <= slotCount && n <= 12; ++n)
            reach = std::max(reach, std::fabs(counters[std::size_t(n - 1)]) + p);
        return reach;
    }
    // Every order reading the start field numbers at most a page's slots per page.
    return std::fabs(start) + p * slotCount;
}

int PrintRunResult::sequenceSlot(qint64 i) const { return int(i % entriesPerPage) + 1; }

static qint64 numberIndex(const PrintRunResult &r, qint64 i)
{
    if (!r.twoPages)
        return i;
    const qint64 k = r.entriesPerPage;
    return (i / (2 * k)) * k + i % k;
}

double PrintRunResult::sequenceNumber(qint64 i) const { return numbers[std::size_t(numberIndex(*this, i))]; }

QString PrintRunResult::sequenceNumberText(qint64 i) const
{
    const qint64 n = numberIndex(*this, i);
    if (n == 0 && hasFirstEntryText)
        return firstEntryText;
    return shortestDecimal(numbers[std::size_t(n)]);
}

int printOrderNumber(const QString &printOrder)
{
    const double v = leadingNumber(printOrder);
    return (v >= 1 && v <= 8 && v == std::floor(v)) ? int(v) : 0;
}

PrintRunState PrintRunState::begin(double pages, double start, double slotsPerPage)
{
    PrintRunState st;
    st.pagesLeft = pages;
    st.pageIndex = 0;
    st.pagesRemaining = pages;
    st.startValue = start;
    st.pageCount = pages;
    st.numbersLeft = pages * slotsPerPage;
    st.slotsPerPage = slotsPerPage;
    for (int n = 1; n <= 12; ++n)
        st.runOffset[std::size_t(n - 1)] = (n - 1) * pages;
    return st;
}

PrintRunState::EndStep PrintRunState::endStep(int order, const RunFields &fields) const
{
    EndStep e;
    switch (order) {
    case 1:
    case 4:
        e.kind = EndStep::WriteStart;
        e.value = startValue + pageCount * slotsPerPage;
        break;
    case 2:
    case 5:
    case 6:
        e.kind = EndStep::WriteStart;
        e.value = fields.startField() + 1;
        break;
    case 7:
    case 8:
        e.kind = EndStep::AdvanceCounters;
        e.value = fields.pageCount();
        for (int n : kCounterEndOrder)
            if (n <= slotsPerPage)
                e.counters.push_back(n);
        break;
    default: break;
    }
    return e;
}

PrintRunResult runPrintOrder(const PrintRunInput &in)
{
    PrintRunResult r;
    r.counters = in.counters;
    r.pageCountText = in.pageCountText;
    r.twoPages = in.twoPages;
    StartField field;
    field.setText(in.startText);

    // Set-up: counters in normal form; a rewritten counter copies itself into
    // the start number field, as an edit of it does.
    for (QString &c : r.counters) {
        const QString normal = shortestDecimal(leadingNumber(c));
        if (normal != c) {
            c = normal;
            field.setText(normal);
        }
    }
    if (r.pageCountText.isEmpty()) {
        r.startText = field.finalText();
        return r;
    }
    r.started = true;
    if (in.twoPages)
        if (const auto half = integerDivide(leadingNumber(r.pageCountText), 2))
            r.pageCountText = QString::number(*half);

    const double P = leadingNumber(r.pageCountText);
    if (!pageCountAccepted(P)) {
        r.refused = true;
        r.startText = field.finalText();
        return r;
    }
    const int K = slotsOnPage(in.gridType);
    const int order = printOrderNumber(in.printOrder);
    PrintRunState st = PrintRunState::begin(P, field.value(), leadingNumber(in.gridType.left(2)));

    struct Fields final : RunFields
    {
        const StartField &field;
        std::array<double, 12> counters{};
        double pages = 0;
        explicit Fields(const StartField &f)
            : field(f)
        {}
        double startField() const override { return field.value(); }
        double counter(int n) const override { return counters[std::size_t(n - 1)]; }
        double pageCount() const override { return pages; }
    } fields(field);
    for (int n = 1; n <= 12; ++n)
        fields.counters[std::size_t(n - 1)] = leadingNumber(r.counters[std::size_t(n - 1)]);
    fields.pages = P;

    r.entriesPerPage = order ? K : 0;
    if (r.entriesPerPage > 0 && P >= 1 && P * K <= 5e7)
        r.numbers.reserve(std::size_t(P) * std::size_t(K));

    const auto endStep = [&] {
        const PrintRunState::EndStep e = st.endStep(order, fields);
        if (e.kind == PrintRunState::EndStep::WriteStart) {
            field.write(e.value);
        } else if (e.kind == PrintRunState::EndStep::AdvanceCounters) {
            for (int n : e.counters) {
                QString &c = r.counters[std::size_t(n - 1)];
                const QString next = shortestDecimal(leadingNumber(c) + e.value);
                if (next != c) {
                    c = next;
                    field.setText(next);
                }
            }
        }
    };

    // Pages as the form's ticks generate them: the run stops when a slot
    // finds no page left, or after the end step.
    for (;;) {
        bool stopped = false;
        for (int n = 1; n <= K; ++n) {
            if (!st.pageAvailable()) {
                stopped = true;
                break;
            }
            const PrintRunState::SlotStep step = st.slot(order, n, fields);
            if (step.kind == PrintRunState::SlotStep::WriteThenEntry) {
                field.write(step.value);
                r.numbers.push_back(step.value);
            } else if (step.kind == PrintRunState::SlotStep::EntryThenWrite) {
                if (r.numbers.empty() && !field.holdsWritten) {
                    r.firstEntryText = field.text;
                    r.hasFirstEntryText = true;
                }
                r.numbers.push_back(field.value());
                field.write(step.value);
            }
        }
        if (stopped)
            break;
        ++r.pageCount;
        if (st.finishPage()) {
            endStep();
            break;
        }
    }
    r.startText = field.finalText();
    return r;
}

QString positionText(const QString &cmText)
{
    // Every entry keeps its position in exactly six characters, so the number
    // always starts at the thirteenth. The editors give hundredths of a
    // centimetre on the page; a text from a layout file may carry more
    // decimals or lie far off the page, so it is brought to that form here.
    double cm = leadingNumber(cmText);
    QString text = shortestDecimal(cm);
    if (text.size() > 6) {
        cm = double(roundHalfEven(cm * 100).value_or(0)) / 100;
        cm = std::clamp(cm, -99.99, 999.99);
        text = shortestDecimal(cm);
    }
    return zeroPadded(text, 6);
}

QStringView trimBlanks(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == QLatin1Char(' '))
        ++b;
    while (e > b && text[e - 1] == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

QStringList sequenceEntries(const PrintRunResult &r, const PrintRunInput &in, const NumberTextStyle &style)
{
    QStringList out;
    const qint64 n = r.sequenceLength();
    out.reserve(n);
    for (qint64 i = 0; i < n; ++i) {
        const std::size_t s = std::size_t(r.sequenceSlot(i) - 1);
        const QString text = composeNumberText(style, r.sequenceNumberText(i));
        out.append(positionText(in.tops[s]) + positionText(in.lefts[s]) + trimBlanks(text).toString());
    }
    return out;
}

} // namespace numora
