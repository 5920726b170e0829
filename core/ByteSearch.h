#pragma once

#include "core/SearchPattern.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>

#include <memory>

// Finds every match in kept bytes (or in a text) a bounded step at a time on
// the thread it lives in, so the window keeps answering over hundreds of
// megabytes. Bytes are read afresh at every step: they may grow between steps
// (more() goes on to the new end) but must not be changed otherwise. Matches do
// not overlap; one that spans two steps is found like any other.
class ByteSearch : public QObject
{
    Q_OBJECT
public:
    using Match = QPair<qint64, qint64>; // [begin, end)
    // Positions beyond this many matches are counted, not kept.
    static constexpr qsizetype MaxKept = 1000000;

    explicit ByteSearch(QObject *parent = nullptr);

    void start(const QByteArray *bytes, const SearchPattern &pattern);
    // A text of its own; positions are indexes in it.
    void start(const QString &text, const QString &needle, Qt::CaseSensitivity cs);
    // The bytes grew.
    void more();
    void stop();
    // Runs what is left at once.
    void finish();

    bool isRunning() const { return m_timer.isActive(); }
    qint64 count() const { return m_count; }
    // The first MaxKept matches, in order.
    const QList<Match> &matches() const { return m_matches; }
    // How far the search has looked.
    qint64 searchedTo() const { return m_next; }

    // The most each slice looks at; small slices put matches across their edges.
    void setSliceBytes(qint64 bytes) { m_slice = qMax<qint64>(1, bytes); }

signals:
    // After each step: matches and count may have grown.
    void progressed();
    // The end of what there is to search was reached.
    void finished();

private:
    void step();
    qint64 startLimit() const;
    void searchSlice(qint64 end);
    void add(qint64 begin, qint64 end);

    QTimer m_timer;
    const QByteArray *m_bytes = nullptr;
    std::unique_ptr<PatternMatcher> m_matcher;
    qint64 m_needleSize = 0;
    QString m_text;
    QString m_textNeedle;
    Qt::CaseSensitivity m_cs = Qt::CaseSensitive;
    qint64 m_next = 0; // where the next match may start
    qint64 m_count = 0;
    qint64 m_slice = 256 * 1024;
    QList<Match> m_matches;
};
