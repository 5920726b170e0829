#pragma once

#include "gui/BytePane.h"

#include <QList>
#include <QPair>
#include <QTimer>

#include <functional>

class ExchangeEngine;
class RawTextPane;
class ResponseFeed;

// The response pane as a view over the kept bytes, for the find bar: byte
// offsets mapped to the pane's characters by decoding as the pane does, from
// the nearest of checkpoints kept at line starts. Only the matches in sight
// are marked.
class ResponsePaneBytes : public QObject, public BytePane
{
    Q_OBJECT
public:
    ResponsePaneBytes(RawTextPane *pane, ResponseFeed *feed, const ExchangeEngine *engine,
                      std::function<QString()> encoding);

    QAbstractScrollArea *area() override;
    const QByteArray *shownBytes() const override;
    ByteSearch::Match selectedBytes() const override;
    void selectBytes(qint64 begin, qint64 end) override;
    void setHighlights(const QList<QPair<qint64, qint64>> &ranges) override;
    // The bytes or the encoding changed: the checkpoints no longer hold.
    void forget();

private:
    // The index in the pane's text of the character at byte (a character start).
    qint64 charOf(qint64 byte);
    qint64 byteOf(qint64 index);
    qint64 pieceEnd(qint64 from) const;
    qint64 decodedLength(qint64 from, qint64 to) const;
    template<typename Stop>
    QPair<qint64, qint64> walk(QPair<qint64, qint64> at, Stop stop);
    void markInSight();

    RawTextPane *m_pane;
    ResponseFeed *m_feed;
    const ExchangeEngine *m_engine;
    std::function<QString()> m_encoding;
    QList<QPair<qint64, qint64>> m_checkpoints; // (byte, character) at line starts, in order
    QList<QPair<qint64, qint64>> m_highlights;
    ByteSearch::Match m_selected{-1, -1}; // the bytes last selected, and where in the pane
    QPair<int, int> m_selectedAt{-1, -1};
    QTimer m_mark;
    bool m_marked = false;
};
