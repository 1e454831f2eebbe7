#include "QtScheduler.h"

#include "platform/UpdateBatch.h"

#include <QTimer>
#include <optional>

namespace numora {

namespace {

constexpr qint64 kNsPerMs = 1000000;

int msUntil(qint64 from, qint64 to)
{
    if (to <= from)
        return 0;
    return int((to - from + kNsPerMs - 1) / kNsPerMs);
}

} // namespace

QtScheduler::QtScheduler() { m_clock.start(); }

QtScheduler::~QtScheduler()
{
    for (const auto &[timer, e] : m_entries)
        delete e->qt;
}

void QtScheduler::arm(Timer *t, int ms)
{
    std::unique_ptr<Entry> &slot = m_entries[t];
    if (!slot) {
        slot = std::make_unique<Entry>();
        slot->qt = new QTimer;
        slot->qt->setSingleShot(true);
        slot->qt->setTimerType(Qt::PreciseTimer);
        // Entries live on the heap, so a tick that arms a new timer (and
        // makes the map grow) leaves the running slice's entry in place.
        QObject::connect(slot->qt, &QTimer::timeout, slot->qt, [this, t, e = slot.get()] { runSlice(t, *e); });
    }
    Entry &e = *slot;
    e.disarmed = false;
    ++e.generation;
    e.interval = ms;
    e.due = now() + ms * kNsPerMs;
    e.qt->start(ms);
}

void QtScheduler::disarm(Timer *t)
{
    const auto it = m_entries.find(t);
    if (it == m_entries.end())
        return;
    Entry &e = *it->second;
    ++e.generation;
    e.qt->stop();
    // A stopped timer keeps nothing: its QTimer goes (later, as it may be
    // the one whose timeout is running) and so does its entry, unless its
    // own tick is running, which forgets it when the tick returns.
    if (e.ticking) {
        e.disarmed = true;
        return;
    }
    e.qt->deleteLater();
    m_entries.erase(it);
}

void QtScheduler::runSlice(Timer *t, Entry &e)
{
    qint64 at = now();
    const qint64 sliceEnd = at + SliceMs * kNsPerMs;
    // A timer kept waiting for long (a modal dialog, a suspended machine)
    // owes at most a second of ticks, not every tick it missed.
    if (e.due < at - MaxDebtMs * kNsPerMs)
        e.due = at - MaxDebtMs * kNsPerMs;
    // Nothing can look between ticks that run back to back, so what they
    // show is brought up to date once, when the slice ends. The first tick
    // stays outside: it may let the event loop run (a print pass does), and
    // must not hold back what the windows show meanwhile.
    std::optional<UpdateBatch> backToBack;
    // A 1 ms timer (the generation of a print run) asks for its ticks as
    // fast as they come: the pace it would get from a clock would make a
    // long run wait minutes for nothing. It fills whole slices instead.
    const bool asSoonAsPossible = e.interval <= 1;
    for (;;) {
        const quint64 generation = e.generation;
        // The next tick falls due one interval on, counted from when this one
        // was due, as a repeating timer's do.
        e.due += qint64(e.interval) * kNsPerMs;
        // A tick may run the event loop, and other timers' ticks inside it.
        e.ticking = true;
        t->tick();
        e.ticking = false;
        if (e.disarmed) {
            disarm(t);
            return;
        }
        if (e.generation != generation)
            return;
        at = now();
        if ((!asSoonAsPossible && e.due > at) || at >= sliceEnd)
            break;
        if (!backToBack)
            backToBack.emplace();
    }
    if (asSoonAsPossible)
        e.due = at; // the next slice once the event loop had its turn
    e.qt->start(msUntil(at, e.due));
}

} // namespace numora
