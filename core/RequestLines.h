#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Reads a request file's bytes as lines: a line ends at CR LF or at a lone CR,
// a lone LF is an ordinary character inside its line (unless lfEndsLine), and
// every line read is followed by CR LF. Fed in pieces of any size, it gives the same bytes as
// when fed the whole file at once.
class RequestLines
{
public:
    explicit RequestLines(bool lfEndsLine = false) : m_lfEndsLine(lfEndsLine) {}
    QByteArray feed(QByteArrayView piece);
    // The end of the file: a last line without a line end gets its CR LF.
    QByteArray finish();

private:
    bool m_lfEndsLine;
    bool m_pendingCr = false; // a CR whose following byte has not been seen
    bool m_lineOpen = false;  // bytes of a line not yet followed by CR LF
};
