#pragma once
#include "numbertext/NumberText.h"

#include <QStringList>
#include <array>
#include <vector>

namespace numora {

// The layout and run values the print order engine reads, as the controls
// of the main window hold them (texts, read with leadingNumber).
struct PrintRunInput
{
    QString gridType = QStringLiteral("2 X 2"); // "1 X 1" .. "12 X 12"
    QString printOrder = QStringLiteral("1 - Up to Down");
    QString startText = QStringLiteral("1"); // start number field
    QString pageCountText;                   // page count mirror No1
    bool twoPages = false;
    std::array<QString, 12> counters; // Tx1..Tx12; empty reads as 0
    std::array<QString, 12> tops;     // topCm of slot 1..12
    std::array<QString, 12> lefts;    // leftCm of slot 1..12
};

// The most pages a run may have: the print dialog's page field takes five
// digits. A larger count (or one that is no finite number) is refused
// rather than generated for hours.
constexpr double MaxRunPages = 99999;
inline bool pageCountAccepted(double pages) { return pages <= MaxRunPages && pages >= -MaxRunPages; }

// The highest number the number-text rule writes digit by digit; from 10^15
// on a number would print as "1e+15". A run whose numbering would pass it
// is refused before it starts.
constexpr double MaxRunNumber = 999999999999999;
// The furthest the numbering of a run of that many generated pages can
// reach, the numbering left for the next run included: the start number
// field for orders 1 to 6, the counters of the slots in use for 7 and 8.
double runNumberingReach(int order, int slotCount, double pages, double start, const std::array<double, 12> &counters);

// What a run produces: the generated pages (each K numbers, slot 1 to K, or
// none for an unknown order) and the fields after the run.
struct PrintRunResult
{
    bool started = false; // false when the page count was empty
    bool refused = false; // the page count was beyond MaxRunPages
    int entriesPerPage = 0;
    qint64 pageCount = 0; // generated pages, each printed twice with twoPages
    bool twoPages = false;
    std::vector<double> numbers; // page-major
    // The first entry takes the start number field's own text when it was
    // not rewritten before (order 3 reads the field instead of setting it).
    QString firstEntryText;
    bool hasFirstEntryText = false;

    QString startText;
    std::array<QString, 12> counters;
    QString pageCountText;

    double number(qint64 page, int slot) const { return numbers[std::size_t(page * entriesPerPage + slot - 1)]; }
    // Entries of the print sequence, with the two-page copies.
    qint64 sequenceLength() const { return qint64(numbers.size()) * (twoPages ? 2 : 1); }
    // Slot (1..K) and number of sequence entry i.
    int sequenceSlot(qint64 i) const;
    double sequenceNumber(qint64 i) const;
    // The number text of sequence entry i as handed to the number-text rule.
    QString sequenceNumberText(qint64 i) const;
};

// The values a run reads from the form as it goes: the start number field
// (order 3 numbers on from whatever it holds), a slot's counter and the page
// count the counters advance by at the end.
class RunFields
{
public:
    virtual ~RunFields() = default;
    virtual double startField() const = 0;
    virtual double counter(int slot) const = 0;
    virtual double pageCount() const = 0;
};

// The print order number (1..8) of an order text; 0 for any other text.
int printOrderNumber(const QString &printOrder);

// The eight print order rules, applied one slot at a time in the order a run
// is generated: pages one after another, slots 1 to K on each, the end step
// after the last page. The form's generator and runPrintOrder both go through
// a run with it, so the rules exist once.
struct PrintRunState
{
    double pagesLeft = 0;
    double pageIndex = 0;      // pages done
    double pagesRemaining = 0; // pages not done, this one included
    double startValue = 0;
    double pageCount = 0;
    double numbersLeft = 0;
    double slotsPerPage = 0; // the grid text's first two characters as a number
    std::array<double, 12> runOffset{};

    // A run of P pages from start number S.
    static PrintRunState begin(double pages, double start, double slotsPerPage);

    // What the rule does for one slot: write a number into the start number
    // field and take the entry, or (order 3) take the entry of the number the
    // field already holds and then write the next one; nothing for an
    // unknown order.
    struct SlotStep
    {
        enum Kind { Nothing, WriteThenEntry, EntryThenWrite };
        Kind kind = Nothing;
        double value = 0; // the number written
    };
    // Slot n (1..K) of the current page; advances the slot's run.
    SlotStep slot(int order, int n, const RunFields &fields);

    // Slots run only while a page is left.
    bool pageAvailable() const { return pagesLeft >= 1; }
    // After the K slots of a page; true when that was the last one and the
    // end step is due.
    bool finishPage();

    // The end step: the start number field moves past the run (orders 1 to
    // 6), or every counter in use advances by the page count (7, 8).
    struct EndStep
    {
        enum Kind { Nothing, WriteStart, AdvanceCounters };
        Kind kind = Nothing;
        double value = 0;          // the start number, or what a counter gains
        std::vector<int> counters; // slots whose counters advance, in turn
    };
    EndStep endStep(int order, const RunFields &fields) const;
};

// Inline: the rules run once per number, in the engine and in the form.
inline PrintRunState::SlotStep PrintRunState::slot(int order, int n, const RunFields &fields)
{
    // The runs move on by one per page rather than being computed from the
    // page number: with a fractional start or page count the sums then round
    // exactly as they always have.
    const std::size_t i = std::size_t(n - 1);
    const auto write = [](double v) { return SlotStep{SlotStep::WriteThenEntry, v}; };
    switch (order) {
    case 1: {
        const double v = startValue + runOffset[i] + (pageCount - 1);
        runOffset[i] -= 1;
        return write(v);
    }
    case 2: {
        const double v = startValue + runOffset[i];
        runOffset[i] += 1;
        return write(v);
    }
    case 3: return SlotStep{SlotStep::EntryThenWrite, fields.startField() + 1};
    case 4: {
        const double v = startValue + numbersLeft - 1;
        numbersLeft -= 1;
        return write(v);
    }
    case 5:
    case 6: {
        // Both slots of a pair share one run offset; only the even slot
        // advances it, so an unpaired last slot keeps its first number.
        const std::size_t m = std::size_t((n + 1) / 2 - 1);
        const double v = startValue + runOffset[m];
        if (n % 2 == 0)
            runOffset[m] += 1;
        return write(v);
    }
    case 7: return write(fields.counter(n) + pageIndex);
    case 8: return write(fields.counter(n) + pagesRemaining - 1);
    default: return {};
    }
}

inline bool PrintRunState::finishPage()
{
    pageIndex += 1;
    pagesRemaining -= 1;
    pagesLeft -= 1;
    return pagesLeft <= 0;
}

// The whole run as a pure function: counter normalisation, the two-page
// halving, generation slot by slot and the end step.
PrintRunResult runPrintOrder(const PrintRunInput &in);

// The slots filled on a page for a grid type text ("12 X 12" gives 12);
// 0 for an empty or unknown grid.
int slotsOnPage(const QString &gridType);

// A slot position in centimetres as the six-character text of an entry:
// shortest decimal form, left-padded with zeros (28.5 -> 0028.5).
QString positionText(const QString &cmText);

// Blanks removed from both ends (only U+0020, the printer keeps tabs).
QStringView trimBlanks(QStringView text);

// The texts of the print sequence the run gives for a number style.
QStringList sequenceEntries(const PrintRunResult &r, const PrintRunInput &in, const NumberTextStyle &style);

} // namespace numora
