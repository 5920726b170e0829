#include "BenchTexts.h"

#include <cstdio>
#include <cstring>

namespace {

class NumberedLines : public ByteSource
{
public:
    explicit NumberedLines(qint64 total) : m_total(total)
    {
        m_line = QByteArray("00000000 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 ..\n");
        m_at = m_line.size(); // the first line is made on the first read
    }
    // Fast enough that the server outruns any client: the bare receive is
    // measured against the same server.
    qsizetype read(char *to, qsizetype max) override
    {
        qsizetype n = 0;
        while (n < max) {
            if (m_at == m_line.size()) {
                if (m_made >= m_total)
                    break;
                char *digits = m_line.data();
                for (int i = 7, v = m_number++; i >= 0; --i, v /= 10)
                    digits[i] = char('0' + v % 10);
                m_made += m_line.size();
                m_at = 0;
            }
            const qsizetype k = qMin(max - n, m_line.size() - m_at);
            std::memcpy(to + n, m_line.constData() + m_at, static_cast<size_t>(k));
            m_at += k;
            n += k;
        }
        return n;
    }

private:
    qint64 m_total;
    qint64 m_made = 0;
    int m_number = 0;
    QByteArray m_line;
    qsizetype m_at = 0;
};

class Repeated : public ByteSource
{
public:
    Repeated(char byte, qint64 total) : m_byte(byte), m_total(total) {}
    qsizetype read(char *to, qsizetype max) override
    {
        const qsizetype n = static_cast<qsizetype>(qMin<qint64>(max, m_total - m_at));
        std::memset(to, m_byte, static_cast<size_t>(n));
        m_at += n;
        return n;
    }

private:
    char m_byte;
    qint64 m_total;
    qint64 m_at = 0;
};

class NoSpaces : public ByteSource
{
public:
    explicit NoSpaces(qint64 total) : m_total(total) {}
    qsizetype read(char *to, qsizetype max) override
    {
        const qsizetype n = static_cast<qsizetype>(qMin<qint64>(max, m_total - m_at));
        for (qsizetype i = 0; i < n; ++i)
            to[i] = "QUJD"[(m_at + i) % 4];
        m_at += n;
        return n;
    }

private:
    qint64 m_total;
    qint64 m_at = 0;
};

} // namespace

std::unique_ptr<ByteSource> BenchTexts::numberedLines(qint64 total)
{
    return std::make_unique<NumberedLines>(total);
}

std::unique_ptr<ByteSource> BenchTexts::repeated(char byte, qint64 total)
{
    return std::make_unique<Repeated>(byte, total);
}

std::unique_ptr<ByteSource> BenchTexts::noSpaces(qint64 total)
{
    return std::make_unique<NoSpaces>(total);
}

QByteArray BenchTexts::all(ByteSource &source)
{
    QByteArray out;
    char buf[65536];
    while (const qsizetype n = source.read(buf, sizeof buf))
        out.append(buf, n);
    return out;
}

QByteArray BenchTexts::request10m()
{
    QByteArray req;
    for (int i = 0; i < 100000; ++i)
        req += "<item>0123456789012345678901234567890123456789012345678901234567890123456789012345678</item>\n";
    return req;
}
