#pragma once

#include "core/ByteSearch.h"

class QAbstractScrollArea;

// A view over kept bytes, as the find bar reaches it: by byte offsets.
class BytePane
{
public:
    virtual ~BytePane() = default;
    virtual QAbstractScrollArea *area() = 0;
    // The bytes shown; they outlive the pane's use of them.
    virtual const QByteArray *shownBytes() const = 0;
    // The selection as bytes [begin, end); the cursor when nothing is selected.
    virtual ByteSearch::Match selectedBytes() const = 0;
    virtual void selectBytes(qint64 begin, qint64 end) = 0;
    // Byte ranges drawn marked, in order; empty clears.
    virtual void setHighlights(const QList<QPair<qint64, qint64>> &ranges) = 0;
};
