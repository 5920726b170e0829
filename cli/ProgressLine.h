#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A line on a terminal's standard error that says how much has arrived and
// how fast, a few times a second, redrawn in place and cleared at the end.
class ProgressLine : public QObject
{
    Q_OBJECT
public:
    // bytes and elapsed milliseconds so far
    using Source = std::function<void(qint64 *bytes, double *elapsedMs)>;
    ProgressLine(bool enabled, Source source, QObject *parent = nullptr);

    void start();
    // Removes the line, so other text starts at the left edge; it comes back on the next tick.
    void clear();
    void stop();

private:
    void draw();

    bool m_enabled;
    Source m_source;
    QTimer m_timer;
    bool m_shown = false;
};
