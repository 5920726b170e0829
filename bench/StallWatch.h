#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// How long the event loop went without answering: the longest gap between
// ticks of a 10 ms timer while the watch runs.
class StallWatch : public QObject
{
public:
    StallWatch();
    void start();
    void stop();
    double longestMs() const { return m_longest / 1e6; }
    // When the longest gap ended, in ms from start().
    double longestAtMs() const { return m_longestAt / 1e6; }
    // Gaps longer than OverMs.
    int gapsOver() const { return m_over; }

    static constexpr int OverMs = 150;

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_longestAt = 0;
    int m_over = 0;
};
