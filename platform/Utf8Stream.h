#pragma once

#include <QByteArray>
#include <QString>

// Decodes UTF-8 that arrives in arbitrary pieces. A character split between
// two pieces is held back until its last byte arrives, so it is joined rather
// than turned into two replacement characters. Invalid bytes become U+FFFD and
// never end the text early.
class Utf8Stream
{
public:
    QString decode(const QByteArray &piece);
    // The end of the stream: an unfinished character still held becomes U+FFFD.
    QString finish();
    bool holdsPartial() const { return !m_tail.isEmpty(); }
    void reset() { m_tail.clear(); }

    // Length of the longest prefix of data that does not end inside a
    // character that more bytes could still complete.
    static qsizetype completeLength(const QByteArray &data);

private:
    QByteArray m_tail;
};
