#include "StallWatch.h"

StallWatch::StallWatch()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &StallWatch::tick);
}

void StallWatch::start()
{
    m_longest = m_longestAt = 0;
    m_over = 0;
    m_longestGrowth = {};
    if (m_probe)
        m_counts = m_probe();
    m_clock.start();
    m_last = 0;
    m_timer.start();
}

void StallWatch::stop()
{
    tick(); // a stall that lasts until the stop counts too
    m_timer.stop();
}

void StallWatch::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    const qint64 gap = now - m_last;
    const Counts counts = m_probe ? m_probe() : Counts{};
    if (gap > m_longest) {
        m_longest = gap;
        m_longestAt = now;
        m_longestGrowth = {counts[0] - m_counts[0], counts[1] - m_counts[1]};
    }
    m_counts = counts;
    if (gap > qint64(OverMs) * 1000000)
        ++m_over;
    m_last = now;
}
