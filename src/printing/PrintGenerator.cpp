#include "PrintGenerator.h"
#include "numbertext/NumberSample.h"
#include "platform/Numeric.h"
#include "platform/UpdateBatch.h"

#include <cmath>

namespace numora {

double PrintGenerator::Fields::startField() const { return leadingNumber(m_doc.startNumber.text()); }

double PrintGenerator::Fields::counter(int slot) const { return leadingNumber(m_doc.slot(slot).counter.text()); }

double PrintGenerator::Fields::pageCount() const { return leadingNumber(m_pageCount.text()); }

PrintGenerator::PrintGenerator(LayoutDocument &doc, TextBox &pageCount, PrintForm &printForm, Scheduler &scheduler)
    : generationTimer(QStringLiteral("Tim1"), scheduler)
    , setUpTimer(QStringLiteral("Tim2"), scheduler)
    , m_doc(doc)
    , m_pageCount(pageCount)
    , m_print(printForm)
    , m_fields(doc, pageCount)
{
    sequence.setVisible(false);
    pageBuffer.setVisible(false);
}

PrintGenerator::~PrintGenerator() { UpdateBatch::forget(this); }

void PrintGenerator::connectEvents()
{
    setUpTimer.onTick.connect([this] { setUpRun(); });
    generationTimer.onTick.connect([this] { generationTick(); });
}

bool PrintGenerator::twoPageOption() const { return m_print.twoPageOption.value() == 1; }

void PrintGenerator::setUpRun() { setUpRun(twoPageOption()); }

void PrintGenerator::generate(qint64 pages, bool twoPages)
{
    // One batch for the whole run: the views follow once, at its end.
    UpdateBatch batch;
    m_pageCount.setText(QString::number(pages));
    setUpRun(twoPages);
    const Page page = readPage(twoPages);
    while (generating() && generatePage(page)) {
    }
}

void PrintGenerator::setUpRun(bool twoPages)
{
    // A counter rewritten here copies itself into the start number field
    // through its own change handler.
    for (int n = 1; n <= 12; ++n) {
        TextBox &tx = m_doc.slot(n).counter;
        tx.setText(shortestDecimal(leadingNumber(tx.text())));
    }
    if (m_pageCount.text().isEmpty())
        return;
    if (twoPages)
        if (const auto half = integerDivide(leadingNumber(m_pageCount.text()), 2))
            m_pageCount.setText(QString::number(*half));
    sequence.clear();
    pageBuffer.clear();
    // A count no run can finish is refused: nothing is generated, and the
    // print job finds an empty sequence.
    if (!pageCountAccepted(leadingNumber(m_pageCount.text()))) {
        setUpTimer.setInterval(0);
        return;
    }

    state = PrintRunState::begin(leadingNumber(m_pageCount.text()), leadingNumber(m_doc.startNumber.text()),
                                 leadingNumber(m_doc.gridType.text().left(2)));
    reserveSequence(twoPages);

    generationTimer.setInterval(1);
    setUpTimer.setInterval(0);
}

void PrintGenerator::reserveSequence(bool twoPages)
{
    // Capacity only: a large run then fills its list without regrowing.
    const int order = printOrderNumber(m_doc.wayPrint.text());
    const int K = slotsOnPage(m_doc.gridType.text());
    const double pages = state.pageCount;
    if (order == 0 || K == 0 || !(pages >= 1) || pages * K > 5e7)
        return;
    const qsizetype entries = qsizetype(pages) * K;
    double widest = std::fabs(state.startValue) + pages * K;
    for (int n = 1; n <= K; ++n)
        widest = std::max(widest, std::fabs(leadingNumber(m_doc.slot(n).counter.text())) + pages);
    // A number text with its zeros takes at most max(8, digits) characters;
    // the rest of the sample stays as it is.
    const qsizetype chars = m_doc.sampleLabel.caption().size() - m_doc.startNumber.text().size()
                            + std::max<qsizetype>(8, shortestDecimal(widest).size());
    const qsizetype all = twoPages ? 2 * entries : entries;
    sequence.reserve(all, all * chars);
    if (twoPages)
        pageBuffer.reserve(K, K * chars);
}

void PrintGenerator::generationTick()
{
    // The sample's readout, the dialog's running label and the views follow
    // the numbers once per tick (or per slice of ticks the scheduler runs
    // back to back), from the state the tick leaves, not after every number.
    UpdateBatch batch;
    // Nothing can edit the layout while a run is generated, so the grid, the
    // order and the two-page option are read once per tick.
    const Page page = readPage(twoPageOption());
    for (int pass = 0; pass < 5; ++pass)
        if (!generatePage(page))
            break;
}

namespace {

// Texts sharing the data of the copies kept are those same texts.
bool sameText(const QString &kept, const QString &now)
{
    return (kept.constData() == now.constData() && kept.size() == now.size()) || kept == now;
}

} // namespace

PrintGenerator::Page PrintGenerator::readPage(bool twoPages)
{
    // Reading a number out of "12 X 12" or "1 - Up to Down" costs more than
    // a page of entries; the texts are read again only when they changed.
    if (!m_pageTextsRead || !sameText(m_gridText, m_doc.gridType.text())
        || !sameText(m_orderText, m_doc.wayPrint.text())) {
        m_gridText = m_doc.gridType.text();
        m_orderText = m_doc.wayPrint.text();
        m_page.slotCount = slotsOnPage(m_gridText);
        m_page.order = printOrderNumber(m_orderText);
        m_pageTextsRead = true;
    }
    m_page.twoPages = twoPages;
    m_page.frame = numberTextFrame(numberTextStyle(m_doc));
    return m_page;
}

bool PrintGenerator::generatePage()
{
    UpdateBatch batch;
    return generatePage(readPage(twoPageOption()));
}

void PrintGenerator::showRunningNumber()
{
    // The dialog's label shows the sample of the last number generated; it
    // is taken before the end step moves the start number on.
    m_lastSample = m_doc.sampleLabel.caption();
    if (m_runningLabelPending)
        return;
    m_runningLabelPending = true;
    UpdateBatch::defer(this, [this] {
        m_runningLabelPending = false;
        m_print.numberSample.setCaption(m_lastSample);
        m_lastSample.clear();
    });
}

bool PrintGenerator::generatePage(const Page &page)
{
    // With the two-page option the page is built apart and then put into
    // the sequence twice; otherwise the entries go straight in.
    SequenceList &out = page.twoPages ? pageBuffer : sequence;
    for (int n = 1; n <= page.slotCount; ++n) {
        if (!state.pageAvailable()) {
            generationTimer.setInterval(0);
            return false;
        }
        const PrintRunState::SlotStep step = state.slot(page.order, n, m_fields);
        if (step.kind == PrintRunState::SlotStep::WriteThenEntry) {
            writeNumber(step.value);
            appendEntry(out, n, page.frame);
        } else if (step.kind == PrintRunState::SlotStep::EntryThenWrite) {
            appendEntry(out, n, page.frame);
            writeNumber(step.value);
        }
    }
    if (page.slotCount > 0)
        showRunningNumber();
    if (page.twoPages) {
        sequence.appendAll(pageBuffer);
        sequence.appendAll(pageBuffer);
        pageBuffer.clear();
    }
    if (state.finishPage()) {
        endStep(page.order);
        generationTimer.setInterval(0);
    }
    return true;
}

const QString &PrintGenerator::slotHead(int n)
{
    HeadCache &c = m_heads[std::size_t(n - 1)];
    const SignSlot &s = m_doc.slot(n);
    if (!c.valid || !sameText(c.top, s.topCm.text()) || !sameText(c.left, s.leftCm.text())) {
        c.top = s.topCm.text();
        c.left = s.leftCm.text();
        c.head = positionText(c.top) + positionText(c.left);
        c.valid = true;
    }
    return c.head;
}

void PrintGenerator::writeNumber(double v) { m_doc.startNumber.setText(shortestDecimal(v)); }

void PrintGenerator::appendEntry(SequenceList &list, int slot, const NumberTextFrame &frame)
{
    const QString &sample = m_doc.sampleLabel.caption();
    const QStringView body = trimBlanks(sample);
    // The entry keeps where the rule wrote the number, so that the journal
    // reads it from there rather than guessing it from the text.
    const qsizetype cut = body.data() - sample.data();
    const qsizetype at = frame.before - cut;
    const qsizetype end = sample.size() - frame.after - cut;
    NumberSpan number;
    if (at >= 0 && end > at && end <= body.size() && end <= 0xFFFF)
        number = {quint16(at), quint16(end - at)};
    list.append(slotHead(slot), body, number, slot);
}

void PrintGenerator::endStep(int order)
{
    const PrintRunState::EndStep e = state.endStep(order, m_fields);
    if (e.kind == PrintRunState::EndStep::WriteStart) {
        writeNumber(e.value);
    } else if (e.kind == PrintRunState::EndStep::AdvanceCounters) {
        // Each advanced counter copies itself into the start number field,
        // which therefore ends with the counter advanced last.
        for (int n : e.counters) {
            TextBox &tx = m_doc.slot(n).counter;
            tx.setText(shortestDecimal(leadingNumber(tx.text()) + e.value));
        }
    }
}

} // namespace numora
