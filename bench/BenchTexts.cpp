#include "BenchTexts.h"

#include <cstdio>
#include <cstring>

namespace {

class NumberedLines : public ByteSource
{
public:
    explicit NumberedLines(qint64 total) : m_total(total) {}
    qsizetype read(char *to, qsizetype max) override
    {
        qsizetype n = 0;
        while (n < max) {
            if (m_at == m_line.size()) {
                if (m_made >= m_total)
                    break;
                char line[128];
                const int len = std::snprintf(
                    line, sizeof line,
                    "%08d 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 ..\n", m_number++);
                m_line = QByteArray(line, len);
                m_made += len;
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
