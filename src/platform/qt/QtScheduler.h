#pragma once
#include "platform/controls/Timer.h"

#include <QElapsedTimer>
#include <memory>
#include <unordered_map>

class QTimer;

namespace numora {

// Timer ticks on the Qt event loop. A timer's ticks are due every interval
// from the moment it was armed. When the event loop hands a timer its turn
// late, the ticks due by then run back to back, one after another as the
// form expects them, in slices of at most SliceMs; between slices the event
// loop runs, so the windows repaint and take input. A timer of 1 ms is
// always behind: its ticks fill whole slices.
class QtScheduler : public Scheduler
{
public:
    static constexpr int SliceMs = 12;
    static constexpr int MaxDebtMs = 1000;

    QtScheduler();
    ~QtScheduler() override;
    void arm(Timer *t, int ms) override;
    void disarm(Timer *t) override;

private:
    struct Entry
    {
        QTimer *qt = nullptr;
        qint64 due = 0; // nanoseconds on m_clock
        int interval = 0;
        // Changed by every arm and disarm: a tick that re-arms or stops its
        // own timer ends the slice, the new schedule stands.
        quint64 generation = 0;
        bool ticking = false;  // its tick runs now
        bool disarmed = false; // stopped while its tick ran; forgotten after it
    };
    void runSlice(Timer *t, Entry &e);

public:
    // Timers that have a QTimer now (for the tests).
    std::size_t liveTimers() const { return m_entries.size(); }

private:
    qint64 now() const { return m_clock.nsecsElapsed(); }

    QElapsedTimer m_clock;
    // Armed timers only: a disarmed timer's entry and QTimer are deleted.
    std::unordered_map<Timer *, std::unique_ptr<Entry>> m_entries;
};

} // namespace numora
