#include "PrintGenerator.h"
#include "PrintOrderEngine.h"
#include "platform/Numeric.h"

#include <cmath>

namespace numora {

namespace {

constexpr std::array<int, 12> kCounterEndOrder{1, 2, 3, 4, 6, 5, 8, 7, 10, 9, 12, 11};

} // namespace

PrintGenerator::PrintGenerator(LayoutDocument &doc, TextBox &pageCount, PrintForm &printForm, Scheduler &scheduler)
    : Tim1(QStringLiteral("Tim1"), scheduler)
    , Tim2(QStringLiteral("Tim2"), scheduler)
    , m_doc(doc)
    , m_pageCount(pageCount)
    , m_print(printForm)
{
    Lise1.setVisible(false);
    Lise2.setVisible(false);
}

void PrintGenerator::connectEvents()
{
    Tim2.onTick.connect([this] { setUpRun(); });
    Tim1.onTick.connect([this] { generationTick(); });
}

void PrintGenerator::setUpRun()
{
    // A counter rewritten here copies itself into the start number field
    // through its own change handler.
    for (int n = 1; n <= 12; ++n) {
        TextBox &tx = m_doc.slot(n).Tx;
        tx.setText(shortestDecimal(leadingNumber(tx.text())));
    }
    if (m_pageCount.text().isEmpty())
        return;
    if (m_print.Check1.value() == 1)
        if (const auto half = integerDivide(leadingNumber(m_pageCount.text()), 2))
            m_pageCount.setText(QString::number(*half));
    Lise1.clear();
    Lise2.clear();

    const double P = leadingNumber(m_pageCount.text());
    const double S = leadingNumber(m_doc.Te1.text());
    const double K = leadingNumber(m_doc.Combo3.text().left(2));
    state = SequenceState{};
    state.pagesLeft = P;
    state.pageIndex = 0;
    state.pagesRemaining = P;
    state.startValue = S;
    state.pageCount = P;
    state.numbersLeft = P * K;
    state.slotsPerPage = K;
    for (int n = 1; n <= 12; ++n)
        state.runOffset[std::size_t(n - 1)] = (n - 1) * P;
    reserveSequence();

    Tim1.setInterval(1);
    Tim2.setInterval(0);
}

void PrintGenerator::reserveSequence()
{
    // Capacity only: a large run then fills its buffers without regrowing.
    const double order = leadingNumber(m_doc.WayPrint.text());
    const int K = slotsOnPage(m_doc.Combo3.text());
    const double pages = state.pageCount;
    if (!(order >= 1 && order <= 8) || K == 0 || !(pages >= 1) || pages * K > 5e7)
        return;
    const bool twoPages = m_print.Check1.value() == 1;
    const qsizetype entries = qsizetype(pages) * K;
    double widest = std::fabs(state.startValue) + pages * K;
    for (int n = 1; n <= K; ++n)
        widest = std::max(widest, std::fabs(leadingNumber(m_doc.slot(n).Tx.text())) + pages);
    // A number text with its zeros takes at most max(8, digits) characters;
    // the rest of the sample stays as it is.
    const qsizetype chars = m_doc.La5.caption().size() - m_doc.Te1.text().size()
        + std::max<qsizetype>(8, shortestDecimal(widest).size());
    const qsizetype all = twoPages ? 2 * entries : entries;
    Lise1.reserve(all, all * chars);
    if (!twoPages)
        Lise2.reserve(entries, entries * chars);
}

void PrintGenerator::generationTick()
{
    for (int pass = 0; pass < 5; ++pass)
        if (!generatePage())
            return;
}

bool PrintGenerator::generatePage()
{
    // Nothing can edit the layout while a run is generated, so the order
    // and the grid are read once per page.
    const int K = slotsOnPage(m_doc.Combo3.text());
    const double order = leadingNumber(m_doc.WayPrint.text());
    for (int n = 1; n <= K; ++n) {
        const QString &head = slotHead(n);
        if (state.pagesLeft < 1) {
            Tim1.setInterval(0);
            return false;
        }
        applySlotRule(order, n, head);
        m_print.LA1.setCaption(m_doc.La5.caption());
    }
    state.pageIndex += 1;
    state.pagesRemaining -= 1;
    if (m_print.Check1.value() == 1) {
        Lise1.appendAll(Lise2);
        Lise2.clear();
    }
    state.pagesLeft -= 1;
    if (state.pagesLeft <= 0) {
        endStep();
        Tim1.setInterval(0);
    }
    return true;
}

const QString &PrintGenerator::slotHead(int n)
{
    HeadCache &c = m_heads[std::size_t(n - 1)];
    const SignSlot &s = m_doc.slot(n);
    if (!c.valid || c.top != s.Tee.text() || c.left != s.Teee.text()) {
        c.top = s.Tee.text();
        c.left = s.Teee.text();
        c.head = positionText(c.top) + positionText(c.left);
        c.valid = true;
    }
    return c.head;
}

void PrintGenerator::writeNumber(double v)
{
    m_doc.Te1.setText(shortestDecimal(v));
}

void PrintGenerator::appendEntry(const QString &head)
{
    const QStringView body = trimBlanks(m_doc.La5.caption());
    Lise1.append(head, body);
    Lise2.append(head, body);
}

void PrintGenerator::applySlotRule(double order, int n, const QString &head)
{
    const std::size_t i = std::size_t(n - 1);
    SequenceState &st = state;
    if (order == 1) {
        writeNumber(st.startValue + st.runOffset[i] + (st.pageCount - 1));
        appendEntry(head);
        st.runOffset[i] -= 1;
    } else if (order == 2) {
        writeNumber(st.startValue + st.runOffset[i]);
        appendEntry(head);
        st.runOffset[i] += 1;
    } else if (order == 3) {
        appendEntry(head);
        writeNumber(leadingNumber(m_doc.Te1.text()) + 1);
    } else if (order == 4) {
        writeNumber(st.startValue + st.numbersLeft - 1);
        appendEntry(head);
        st.numbersLeft -= 1;
    } else if (order == 5 || order == 6) {
        // The two slots of a pair share the pair's run offset; only the even
        // slot advances it, so an unpaired last slot keeps its number.
        const std::size_t m = std::size_t((n + 1) / 2 - 1);
        writeNumber(st.startValue + st.runOffset[m]);
        appendEntry(head);
        if (n % 2 == 0)
            st.runOffset[m] += 1;
    } else if (order == 7) {
        writeNumber(leadingNumber(m_doc.slot(n).Tx.text()) + st.pageIndex);
        appendEntry(head);
    } else if (order == 8) {
        writeNumber(leadingNumber(m_doc.slot(n).Tx.text()) + st.pagesRemaining - 1);
        appendEntry(head);
    }
}

void PrintGenerator::endStep()
{
    const double order = leadingNumber(m_doc.WayPrint.text());
    if (order == 1 || order == 4) {
        writeNumber(state.startValue + state.pageCount * state.slotsPerPage);
    } else if (order == 2 || order == 5 || order == 6) {
        writeNumber(leadingNumber(m_doc.Te1.text()) + 1);
    } else if (order == 7 || order == 8) {
        // Each advanced counter copies itself into the start number field,
        // which therefore ends with the counter advanced last.
        for (int n : kCounterEndOrder) {
            if (n > state.slotsPerPage)
                continue;
            TextBox &tx = m_doc.slot(n).Tx;
            tx.setText(shortestDecimal(leadingNumber(tx.text()) + leadingNumber(m_pageCount.text())));
        }
    }
}

} // namespace numora
