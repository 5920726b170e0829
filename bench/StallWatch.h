#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

// How long the event loop went without answering: the longest gap between
// ticks of a 10 ms timer while the watch runs.
class StallWatch : public QObject
{
public:
    using Counts = std::array<qint64, 2>;
    StallWatch();
    // Counts read at every tick; the longest gap keeps how much they grew in
    // it, which tells what the event loop was busy with.
    void setProbe(std::function<Counts()> probe) { m_probe = std::move(probe); }
    void start();
    void stop();
    double longestMs() const { return m_longest / 1e6; }
    // When the longest gap ended, in ms from start().
    double longestAtMs() const { return m_longestAt / 1e6; }
    // Gaps longer than OverMs.
    int gapsOver() const { return m_over; }
    // How much the probe's counts grew during the longest gap.
    Counts longestGrowth() const { return m_longestGrowth; }

    static constexpr int OverMs = 100;

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_longestAt = 0;
    int m_over = 0;
    std::function<Counts()> m_probe;
    Counts m_counts{};
    Counts m_longestGrowth{};
};
