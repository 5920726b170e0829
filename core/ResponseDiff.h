#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <atomic>

// Two responses compared line by line, each decoded with its own encoding.
// The alignment is dtl's O(NP) diff over line hashes, after the common start
// and end are set aside; it is bounded in time and memory: past the bounds the
// rest is shown as removed and added lines, and the result says so.
namespace ResponseDiff {

struct Row
{
    enum Kind : quint8 {
        Same,
        Changed, // a left line replaced by a right one
        Removed, // left only
        Added,   // right only
        Ignored, // a header line whose value is allowed to differ
    };
    qint32 left = -1; // line numbers from 0; -1 where that side has none
    qint32 right = -1;
    Kind kind = Same;
};

struct Side
{
    QString text;          // decoded, the compared part only
    QList<qint32> starts;  // where each line begins in text
    QList<qint32> lengths; // each line's length, without its line end
    QList<qint32> ends;    // each line's end: 0 none (the last line), or its length (CR LF 2, LF or CR 1)
    bool cut = false;      // only the first part was compared
    QStringView line(qint32 i) const { return QStringView(text).mid(starts[i], lengths[i]); }
    // The line end itself; lines that differ in it alone are changed lines.
    QStringView end(qint32 i) const { return QStringView(text).mid(starts[i] + lengths[i], ends[i]); }
};

struct Result
{
    Side left, right;
    QList<Row> rows;
    QList<qint32> differences; // the first row of each run of differing rows
    bool alignmentCut = false; // the time bound was reached
    bool cancelled = false;
};

struct Options
{
    // Header names (any case) whose lines count as equal whatever their values.
    QStringList ignoredHeaders;
    qint64 maxBytes = qint64(32) << 20; // per side
    int timeLimitMs = 1200;
    const std::atomic<bool> *cancel = nullptr;
};

Result compare(const QByteArray &left, const QString &leftEncoding, const QByteArray &right,
               const QString &rightEncoding, const Options &options);

// The characters that differ between two lines: [start, length) runs on each side.
struct Spans
{
    QList<QPair<qint32, qint32>> left, right;
};
Spans changedCharacters(QStringView a, QStringView b);

} // namespace ResponseDiff
