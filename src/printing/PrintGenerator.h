#pragma once
#include "PrintForm.h"
#include "PrintOrderEngine.h"
#include "SequenceList.h"
#include "layout/LayoutDocument.h"
#include "platform/controls/Timer.h"

#include <array>

namespace numora {

// The print order engine on the main window: the set-up step on Tim2 and
// the generation on Tim1, five pages per tick. The numbers come from the
// engine's rules; every one goes through the start number field, so the
// entry carries exactly the sample's text.
class PrintGenerator
{
public:
    PrintGenerator(LayoutDocument &doc, TextBox &pageCount, PrintForm &printForm, Scheduler &scheduler);
    ~PrintGenerator();

    Timer generationTimer;                            // Tim1: generation, repeating
    Timer setUpTimer;                                 // Tim2: set-up
    SequenceList sequence{QStringLiteral("Lise1")};   // the run's print sequence
    SequenceList pageBuffer{QStringLiteral("Lise2")}; // one page, for the two-page option
    PrintRunState state;

    void connectEvents();
    bool generating() const { return generationTimer.interval() == 1; }

    // Tim2's tick.
    void setUpRun();
    // The whole run of `pages` printed pages at once, without the timers:
    // the same entries and the same numbering moved on as the ticks give.
    void generate(qint64 pages, bool twoPages);
    // Tim1's tick: up to five pages.
    void generationTick();
    // One page; false when the run had already ended and the tick is left.
    bool generatePage();

private:
    // What a page is generated with.
    struct Page
    {
        int slotCount = 0; // K
        int order = 0;     // 1..8, 0 for none
        bool twoPages = false;
        NumberTextFrame frame; // where the sample's number stands
    };
    Page readPage(bool twoPages);
    bool generatePage(const Page &page);
    bool twoPageOption() const;
    void setUpRun(bool twoPages);

    // What the rules read from the main window.
    class Fields final : public RunFields
    {
    public:
        Fields(LayoutDocument &doc, TextBox &pageCount)
            : m_doc(doc)
            , m_pageCount(pageCount)
        {}
        double startField() const override;
        double counter(int slot) const override;
        double pageCount() const override;

    private:
        LayoutDocument &m_doc;
        TextBox &m_pageCount;
    };

    void writeNumber(double v);
    void appendEntry(SequenceList &list, int slot, const NumberTextFrame &frame);
    void endStep(int order);
    void showRunningNumber();
    const QString &slotHead(int n);
    void reserveSequence(bool twoPages);

    LayoutDocument &m_doc;
    TextBox &m_pageCount;
    PrintForm &m_print;
    Fields m_fields;

    // The sample after the last page generated, for the dialog's label.
    QString m_lastSample;
    bool m_runningLabelPending = false;

    // The grid and order texts the page values were read from.
    QString m_gridText, m_orderText;
    Page m_page;
    bool m_pageTextsRead = false;

    // A slot's position texts are rebuilt only when its fields change.
    struct HeadCache
    {
        QString top, left, head;
        bool valid = false;
    };
    std::array<HeadCache, 12> m_heads;
};

} // namespace numora
