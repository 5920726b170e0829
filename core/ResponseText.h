#pragma once

#include "core/EncodedChars.h"
#include "core/LineIndex.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The response as text in the chosen encoding, decoded on demand a range at
// a time from the bytes where they are kept, over a line index built as they
// arrive. Nothing holds the whole text unless asked for it.
//
// A line end is whatever the bytes say (CR LF, lone CR, lone LF), never
// swallowed by an invalid character before it; invalid bytes read as U+FFFD;
// NUL and a leading byte-order mark are text like any other. ISO-2022-JP's
// state at any position comes from the escape sequence before it.
class ResponseText
{
public:
    void attach(const QByteArray *bytes);
    void clear();
    // Takes in the bytes appended since the last call.
    void update();
    void setEncoding(const QString &name);
    QString encoding() const { return m_encoding; }
    // Once the stream has ended, an unfinished character at its end reads as
    // U+FFFD; before, it is held back until the rest arrives.
    void setEnded(bool ended) { m_ended = ended; }
    bool ended() const { return m_ended; }

    const LineIndex &lines() const { return m_index; }
    qint64 size() const { return m_index.size(); }

    // The text of the bytes from..to (character boundaries), line ends as
    // they are in the bytes.
    QString text(qint64 from, qint64 to) const;

    struct Piece
    {
        QString text;
        // Byte offset from `from` of each UTF-16 unit's character; one more
        // entry for the end of what was read. Empty when every byte is one unit.
        QList<qint32> starts;
        qint64 read = 0; // bytes read: all, or up to an unfinished character
        qint64 byteAt(qsizetype index) const;
        // The unit whose character holds the byte (relative offset).
        qsizetype indexOf(qint64 offset) const;
    };
    // A stretch of one line (no line end inside it), with where in the bytes
    // each character begins. Meant for pieces of a screenful, not for megabytes.
    Piece piece(qint64 from, qint64 to) const;

    // The character boundary at or before pos; the bytes of a line end count
    // as one place, the end of their line.
    qint64 boundaryAtOrBefore(qint64 pos) const;
    // Whether text (decoded from all the bytes) shows U+FFFD for bytes the
    // encoding could not decode, rather than for an encoded U+FFFD.
    bool showsUndecodable(const QString &whole) const;

private:
    struct Seed
    {
        QByteArray bytes;   // what puts a fresh decoder into the state at the position
        qint64 escape = -1; // where that escape sequence is
        int length = 0;
        bool sameLine = false;
        bool twoByte = false; // the position is inside a two-byte set
    };
    Seed seedAt(qint64 pos) const;
    int escapeLength(qint64 at) const;
    QString decode(qint64 from, qint64 to, bool finish) const;
    static bool mapUnits(const QString &text, const EncodedChars::Starts &st, qint64 offset, QList<qint32> &units);
    bool finishesAt(qint64 to) const { return m_ended || to < size(); }
    QByteArrayView bytes(qint64 from, qint64 to) const;

    const QByteArray *m_bytes = nullptr;
    LineIndex m_index;
    QString m_encoding = QStringLiteral("UTF-8");
    EncodedChars::Kind m_kind = EncodedChars::Kind::Utf8;
    bool m_ended = false;
    mutable QHash<qint64, int> m_escapes; // valid escape sequence lengths, by position
};
