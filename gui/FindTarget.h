#pragma once

#include "core/ByteSearch.h"

#include <QObject>

class QAbstractScrollArea;

// What a find bar searches: a pane or a view, in positions of its own
// (characters of a text pane, bytes of a view over kept bytes).
class FindTarget : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Where the bar is laid over, along its bottom edge.
    virtual QAbstractScrollArea *area() const = 0;
    // Whether the search text may be given as hex bytes.
    virtual bool offersHex() const { return false; }
    // Starts search over what the target holds; false with why when there is
    // nothing to search for.
    virtual bool start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why) = 0;
    // The selection (or the caret, as an empty range).
    virtual ByteSearch::Match selection() const = 0;
    virtual void select(const ByteSearch::Match &m) = 0;
    // Every match marked; empty clears.
    virtual void setHighlights(const QList<ByteSearch::Match> &matches) = 0;

signals:
    // What the target holds changed: search again.
    void changed();
    // Bytes were added at the end: the search goes on.
    void grew();
};
