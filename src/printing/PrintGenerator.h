#pragma once
#include "PrintForm.h"
#include "SequenceList.h"
#include "layout/LayoutDocument.h"
#include "platform/controls/Timer.h"

#include <array>

namespace numora {

// The generator's working values of one run.
struct SequenceState
{
    double pagesLeft = 0;
    double pageIndex = 0;
    double pagesRemaining = 0;
    double startValue = 0;
    double pageCount = 0;
    double numbersLeft = 0;
    double slotsPerPage = 0;
    std::array<double, 12> runOffset{};
};

// The print order engine on the main window: the set-up step on Tim2 and
// the generation on Tim1, five pages per tick. Every number goes through
// the start number field, so the entry carries exactly the sample's text.
class PrintGenerator
{
public:
    PrintGenerator(LayoutDocument &doc, TextBox &pageCount, PrintForm &printForm, Scheduler &scheduler);

    Timer Tim1; // generation, repeating
    Timer Tim2; // set-up
    SequenceList Lise1{QStringLiteral("Lise1")}; // PrintSequence
    SequenceList Lise2{QStringLiteral("Lise2")}; // pageBuffer
    SequenceState state;

    void connectEvents();
    bool generating() const { return Tim1.interval() == 1; }

    // Tim2's tick.
    void setUpRun();
    // Tim1's tick: up to five pages.
    void generationTick();
    // One page; false when the run had already ended and the tick is left.
    bool generatePage();

private:
    void applySlotRule(double order, int n, const QString &head);
    void writeNumber(double v);
    void appendEntry(const QString &head);
    void endStep();
    const QString &slotHead(int n);
    void reserveSequence();

    LayoutDocument &m_doc;
    TextBox &m_pageCount;
    PrintForm &m_print;

    // A slot's position texts are rebuilt only when its fields change.
    struct HeadCache
    {
        QString top, left, head;
        bool valid = false;
    };
    std::array<HeadCache, 12> m_heads;
};

} // namespace numora
