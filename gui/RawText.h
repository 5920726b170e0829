#pragma once

#include <QString>

class QTextDocument;

// A text pane must give back exactly the text it was given, line ends included,
// but QTextDocument turns every kind of line break into a block boundary. Each
// block therefore carries, as its user state, the terminator that ended it.
namespace RawText {

enum Terminator : int {
    CrLf = -1, // Qt's default block state: also what a typed line break means
    Cr = 1,
    Lf = 2,
    ParagraphSep = 3, // U+2029
    FrameStart = 4,   // U+FDD0, which Qt also turns into a block boundary
    FrameEnd = 5,     // U+FDD1
    Continues = 6,    // no terminator: a long line cut so that it lays out in bounded steps
};

// The longest block append() makes; a longer line goes on in the next block.
constexpr int MaxBlock = 16384;

// Appends text at the end of the document, one edit block.
void append(QTextDocument *doc, const QString &text);
// The whole text, each block followed by its own terminator (none after the last).
QString read(const QTextDocument *doc);
// The text between two document positions, terminators as in read().
QString read(const QTextDocument *doc, int from, int to);
// The document position of index i of read(doc): a CR LF is one position, a
// cut inside a long line one position more.
int position(const QTextDocument *doc, qsizetype i);
// The index in read(doc) of a document position.
qsizetype index(const QTextDocument *doc, int position);
// How many characters read() gives for a block's terminator.
int terminatorLength(int state);
// Where the character at index of text lies in a document that append()
// filled with text (a CR LF is one position there, a long line has breaks).
int positionOf(const QString &text, qsizetype index);
// Sets every block boundary from startBlock to endBlock-1 to a typed line break
// and gives endBlock the terminator t.
void settleEdit(QTextDocument *doc, int startBlock, int endBlock, int endTerminator);

} // namespace RawText
