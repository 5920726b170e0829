#pragma once

#include <QString>
#include <QStringList>

// The bench's figures, one line each with its target, and a closing summary.
class Report
{
public:
    // seconds against a floor figure: the ratio must stay at most target.
    void ratio(const QString &label, double seconds, const char *floorName, double floor, double target);
    // A figure that must stay at most target; unit follows the numbers.
    void atMost(const QString &label, double value, double target, const char *unit, const QString &note = {});
    // A peak above idle as a multiple of the response.
    void memory(const QString &label, qint64 aboveIdle, qint64 response, double target);
    // Something that must hold.
    void holds(const QString &label, bool ok, const QString &detail);
    // A figure without a target, for the reader.
    void info(const QString &label, const QString &text);
    // Prints the summary; 0 when every target was met.
    int summary() const;

private:
    void line(const QString &label, const QString &figure, const QString &target, bool ok);

    int m_met = 0;
    QStringList m_missed;
};
