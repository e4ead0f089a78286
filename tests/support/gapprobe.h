#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

// The longest time between two turns of the event loop while it runs: a timer that should fire
// every 5 ms notes each gap. Work done on the GUI thread between two turns (a handler, a layout,
// a wait) shows as one gap as long as that work.
class GapProbe
{
public:
    // A gap this long is the GUI thread held by one piece of work, not the load of a busy test
    // machine, which adds tens of milliseconds to a turn and seldom a few hundred.
    static constexpr qint64 kBlockedMs = 1000;

    GapProbe()
    {
        m_timer.setInterval(5);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { note(); });
        m_clock.start();
        m_timer.start();
    }
    qint64 longestGapMs() const { return m_longest; }
    // Starts a new measurement from now.
    void restart()
    {
        m_longest = 0;
        m_last = m_clock.elapsed();
    }

private:
    void note()
    {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};
