#pragma once

#include "core/ResponseText.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QTextLayout>
#include <memory>

// The response's lines laid out for drawing, a piece at a time and only where
// asked: a short line whole, a long one in windows of bytes, each starting at
// a row start of the one before, so that a line of any length lays out in
// bounded steps and still wraps only at the pane's edge. Rows are walked one
// after another from any byte position.
class ResponseLayout
{
public:
    struct Piece
    {
        qint64 line = 0;
        qint64 lineBegin = 0;
        qint64 begin = 0; // bytes laid out: begin..end of the line's content
        qint64 end = 0;
        bool atLineEnd = false;
        ResponseText::Piece text;
        QTextLayout layout;
        qint64 byteAt(qsizetype index) const { return begin + text.byteAt(index); }
        qsizetype indexOf(qint64 byte) const { return text.indexOf(byte - begin); }
        // Rows that can be shown: a window cut before its line's end loses
        // its last row, which the next window starts with.
        int usableRows() const;
    };
    using PiecePtr = std::shared_ptr<const Piece>;

    struct Row
    {
        PiecePtr piece;
        int index = 0;    // the row's QTextLine in the piece
        qint64 begin = 0; // its bytes
        qint64 end = 0;
        qreal x = 0; // where the piece's text starts, from the line's start
        bool valid() const { return bool(piece); }
        bool lastOfLine() const;
        QTextLine textLine() const { return piece->layout.lineAt(index); }
    };

    explicit ResponseLayout(const ResponseText *text);

    void setFont(const QFont &font);
    // width: the room for text in pixels, used when wrapping.
    void setWrap(bool on, qreal width);
    bool wrap() const { return m_wrap; }
    // Without wrapping: the part of the lines in sight, in pixels from their
    // start, so that a long line is laid out only around it.
    void setVisibleSpan(qreal left, qreal width);
    // Everything laid out is dropped (encoding, font, new bytes).
    void clear();
    // The last line may have grown or ended: its pieces are laid out again.
    void lastLineChanged();

    qreal charWidth() const { return m_charWidth; }
    qreal rowHeight() const { return m_rowHeight; }
    // Bytes in a row, as an estimate of what fits in the width.
    qint64 bytesPerRow() const;

    // The row that holds pos; at the seam of two rows, the later one unless
    // pos ends its line. A position in a long line far from anything laid
    // out starts a row of its own.
    Row rowAt(qint64 pos);
    Row next(const Row &row);
    Row previous(const Row &row);
    // The text shown for decoded text, one character for one: a control
    // character shows as the letter of its caret notation (NUL as @, ESC as
    // [), a line or paragraph separator as ¶, each marked in the formats, so
    // that none is invisible and none breaks a row.
    static QString shownText(const QString &decoded, QList<QTextLayout::FormatRange> *marks);

private:
    PiecePtr piece(const LineIndex::Line &line, qint64 begin, qint64 end);
    PiecePtr windowAt(const LineIndex::Line &line, qint64 begin);
    qint64 rowStartNear(const LineIndex::Line &line, qint64 pos);
    Row rowIn(const PiecePtr &p, int index) const;
    Row rowHolding(const PiecePtr &p, qint64 pos) const;
    Row noWrapRow(const LineIndex::Line &line);
    qint64 windowBytes() const;
    bool isLong(const LineIndex::Line &line) const;
    void remember(const PiecePtr &p);

    const ResponseText *m_text;
    QFont m_font;
    bool m_wrap = true;
    qreal m_width = 100;
    qreal m_left = 0;
    qreal m_span = 100;
    qreal m_charWidth = 8;
    qreal m_rowHeight = 16;
    QHash<qint64, PiecePtr> m_whole; // short lines, by their first byte
    QList<PiecePtr> m_windows;       // pieces of long lines, latest first
    qint64 m_cachedChars = 0;
};
