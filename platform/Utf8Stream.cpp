#include "platform/Utf8Stream.h"

qsizetype Utf8Stream::completeLength(const QByteArray &data)
{
    const qsizetype n = data.size();
    // A character is at most four bytes: only the last three can be an unfinished one.
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(data[n - back]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte: keep looking for its lead
        int need = 0;
        if (c >= 0xC2 && c <= 0xDF)
            need = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            need = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            need = 4;
        if (need > back) {
            // Only hold the bytes back if they could still form a valid character;
            // otherwise the decoder reports them as invalid now.
            for (qsizetype i = n - back + 1; i < n; ++i)
                if ((static_cast<unsigned char>(data[i]) & 0xC0) != 0x80)
                    return n;
            if (back >= 2) {
                const auto c1 = static_cast<unsigned char>(data[n - back + 1]);
                if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F)
                    || (c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 > 0x8F))
                    return n;
            }
            return n - back;
        }
        return n;
    }
    return n;
}

QString Utf8Stream::decode(const QByteArray &piece)
{
    QByteArray data = m_tail.isEmpty() ? piece : m_tail + piece;
    const qsizetype cut = completeLength(data);
    m_tail = data.mid(cut);
    data.truncate(cut);
    return QString::fromUtf8(data);
}

QString Utf8Stream::finish()
{
    // What is held is the start of a character whose remaining bytes never came.
    const bool partial = !m_tail.isEmpty();
    m_tail.clear();
    return partial ? QString(QChar::ReplacementCharacter) : QString();
}
