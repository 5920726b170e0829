#include "core/RequestLines.h"

QByteArray RequestLines::feed(QByteArrayView piece)
{
    QByteArray out;
    out.reserve(piece.size() + piece.size() / 16 + 2);
    for (const char c : piece) {
        if (m_pendingCr) {
            m_pendingCr = false;
            m_lineOpen = false;
            out += "\r\n";
            if (c == '\n')
                continue;
        }
        if (c == '\r') {
            m_pendingCr = true;
        } else if (c == '\n' && m_lfEndsLine) {
            m_lineOpen = false;
            out += "\r\n";
        } else {
            out += c;
            m_lineOpen = true;
        }
    }
    return out;
}

QByteArray RequestLines::finish()
{
    const bool open = m_pendingCr || m_lineOpen;
    m_pendingCr = m_lineOpen = false;
    return open ? QByteArrayLiteral("\r\n") : QByteArray();
}
