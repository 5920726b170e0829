#include "core/HttpFraming.h"

#include <cstring>

namespace {
using Problem = HttpDiagnosis::Problem;
using Framing = HttpDiagnosis::Framing;
using Amount = HttpDiagnosis::Amount;

// Lengths above this lose integer precision in a double, and no real response
// comes near it; anything bigger is a fault, not a reason to wait.
constexpr qint64 MaxLength = qint64(1) << 53;

// "HTTP/1." digit SP digit digit digit: enough to call it HTTP.
constexpr qsizetype StatusPrefix = 12;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool fitsStatus(qsizetype at, char c)
{
    static const char prefix[] = "HTTP/1.";
    if (at < 7)
        return c == prefix[at];
    if (at == 8)
        return c == ' ';
    return isDigit(c);
}

bool looksLikeStatus(QByteArrayView line)
{
    if (line.size() < StatusPrefix)
        return false;
    for (qsizetype i = 0; i < StatusPrefix; ++i) {
        if (!fitsStatus(i, line[i]))
            return false;
    }
    return true;
}

// Servers accept a lone LF as a line end, so a CR before it is optional.
QByteArrayView withoutLineEnd(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

void HttpFraming::reset(bool headRequest)
{
    BodySink sink = std::move(m_sink);
    *this = HttpFraming();
    m_head = headRequest;
    m_sink = std::move(sink);
}

bool HttpFraming::methodIsHead(QByteArrayView request)
{
    return request.startsWith("HEAD ");
}

bool HttpFraming::isHttp() const
{
    return !m_notHttp && m_matched == StatusPrefix;
}

bool HttpFraming::isDecided() const
{
    return m_notHttp || m_matched == StatusPrefix;
}

bool HttpFraming::finalResponseComplete() const
{
    return m_completeAt >= 0;
}

qint64 HttpFraming::completeAt() const
{
    return m_completeAt;
}

qint64 HttpFraming::headerBytes() const
{
    return m_d.headerBytes;
}

qint64 HttpFraming::bodyBytes() const
{
    return m_d.bodyBytes;
}

qint64 HttpFraming::totalBytes() const
{
    return m_total;
}

void HttpFraming::feed(QByteArrayView piece)
{
    const char *p = piece.data();
    const qsizetype n = piece.size();
    qsizetype i = 0;
    while (i < n) {
        const char *at = p + i;
        const qsizetype left = n - i;
        switch (m_state) {
        case State::Detect:
            i += detect(at, left);
            break;
        case State::Head:
            i += head(at, left);
            break;
        case State::LengthBody: {
            const qint64 need = *m_d.contentLength - m_d.bodyBytes;
            const qsizetype k = qsizetype(qMin<qint64>(need, left));
            toBody(at, k);
            consume(k);
            i += k;
            if (k == need)
                complete();
            break;
        }
        case State::ChunkSize:
            i += chunkSize(at, left);
            break;
        case State::ChunkData: {
            const qsizetype k = qsizetype(qMin<qint64>(m_chunkLeft, left));
            toBody(at, k);
            consume(k);
            i += k;
            m_chunkLeft -= k;
            if (m_chunkLeft == 0)
                m_state = State::ChunkCr;
            break;
        }
        case State::ChunkCr:
        case State::ChunkLf: {
            const char c = *at;
            consume(1);
            ++i;
            if (c == '\n')
                m_state = State::ChunkSize;
            else if (c == '\r' && m_state == State::ChunkCr)
                m_state = State::ChunkLf;
            else {
                giveUp(Problem::ChunkEndBad);
                toBody(at, 1);
            }
            break;
        }
        case State::Trailers:
            i += trailers(at, left);
            break;
        case State::Rest:
            if (m_completeAt < 0)
                toBody(at, left);
            consume(left);
            i = n;
            break;
        }
    }
}

void HttpFraming::toBody(const char *p, qsizetype n)
{
    if (m_sink && n > 0 && !m_notHttp && m_d.headerComplete)
        m_sink(QByteArrayView(p, n));
}

void HttpFraming::consume(qsizetype n)
{
    m_total += n;
    if (m_notHttp)
        return;
    if (m_d.headerComplete)
        m_d.bodyBytes += n;
    else
        m_d.headerBytes += n;
}

qsizetype HttpFraming::detect(const char *p, qsizetype n)
{
    qsizetype k = 0;
    for (; k < n && m_matched < StatusPrefix; ++k, ++m_matched) {
        if (!fitsStatus(m_matched, p[k])) {
            m_notHttp = true;
            m_d.headerBytes = 0;
            m_line.clear();
            m_state = State::Rest; // takes this piece whole
            return 0;
        }
    }
    m_line.append(p, k);
    consume(k);
    if (m_matched == StatusPrefix)
        m_state = State::Head;
    return k;
}

// Moves the bytes up to and including the next LF into m_line. Returns -1,
// taking nothing, when that would pass room.
qsizetype HttpFraming::takeLine(const char *p, qsizetype n, qsizetype room, bool *ended)
{
    const auto *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(n)));
    const qsizetype k = lf ? lf - p + 1 : n;
    *ended = lf != nullptr;
    if (k > room)
        return -1;
    m_line.append(p, k);
    consume(k);
    return k;
}

qsizetype HttpFraming::head(const char *p, qsizetype n)
{
    bool ended = false;
    const qsizetype k = takeLine(p, n, HeaderLimit - m_d.headerBytes, &ended);
    if (k < 0) {
        giveUp(Problem::HeaderTooLong);
        return 0;
    }
    if (ended) {
        headerLine(withoutLineEnd(m_line));
        m_line.clear();
    }
    return k;
}

void HttpFraming::headerLine(QByteArrayView line)
{
    if (m_lineNo++ == 0) {
        statusLine(line);
        return;
    }
    if (line.isEmpty()) {
        commitField();
        endOfBlock();
        return;
    }
    if (line.front() == ' ' || line.front() == '\t') {
        // An old-style folded line continues the field above it.
        if (m_fieldOpen) {
            m_fieldValue += ' ';
            m_fieldValue += line.trimmed();
        }
        return;
    }
    commitField();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return;
    m_fieldName = line.first(colon).trimmed().toByteArray();
    m_fieldValue = line.sliced(colon + 1).trimmed().toByteArray();
    m_fieldOpen = true;
}

void HttpFraming::statusLine(QByteArrayView line)
{
    // The first status line passed detect(); one after a 1xx has not.
    if (!looksLikeStatus(line)) {
        giveUp(Problem::StatusLineBad);
        return;
    }
    m_d.statusLine = QString::fromUtf8(line);
    m_d.statusCode = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
    m_fieldOpen = false;
    m_lengthSeen = m_lengthBad = m_teSeen = m_teChunked = false;
    m_length = 0;
    m_d.charset.clear();
    m_d.contentType.clear();
    m_d.contentEncoding.clear();
}

void HttpFraming::commitField()
{
    if (!m_fieldOpen)
        return;
    m_fieldOpen = false;
    if (m_d.statusCode / 100 == 1 && m_d.statusCode != 101)
        return; // an interim block's fields say nothing about the final response
    const QByteArrayView name(m_fieldName);
    if (sameName(name, "content-length")) {
        contentLength(m_fieldValue);
    } else if (sameName(name, "transfer-encoding")) {
        m_teSeen = true;
        QByteArrayView last(m_fieldValue);
        last = last.sliced(last.lastIndexOf(',') + 1);
        const qsizetype semi = last.indexOf(';');
        if (semi >= 0)
            last = last.first(semi);
        last = last.trimmed();
        if (!last.isEmpty())
            m_teChunked = sameName(last, "chunked");
    } else if (sameName(name, "content-encoding")) {
        m_d.contentEncoding = QString::fromLatin1(m_fieldValue);
    } else if (sameName(name, "content-type") && m_d.charset.isEmpty()) {
        const QList<QByteArray> parts = m_fieldValue.split(';');
        m_d.contentType = QString::fromLatin1(QByteArrayView(parts.value(0)).trimmed());
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QByteArrayView param = QByteArrayView(parts[i]).trimmed();
            const qsizetype eq = param.indexOf('=');
            if (eq < 0 || !sameName(param.first(eq).trimmed(), "charset"))
                continue;
            QByteArrayView v = param.sliced(eq + 1).trimmed();
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
                v = v.sliced(1, v.size() - 2);
            m_d.charset = QString::fromLatin1(v);
            break;
        }
    }
}

void HttpFraming::contentLength(QByteArrayView value)
{
    // "10, 10" is what some proxies make of a repeated header: equal values are fine.
    qsizetype from = 0;
    while (from <= value.size()) {
        qsizetype comma = value.indexOf(',', from);
        if (comma < 0)
            comma = value.size();
        const QByteArrayView item = value.sliced(from, comma - from).trimmed();
        from = comma + 1;

        const bool negative = item.startsWith('-');
        const QByteArrayView digits = negative ? item.sliced(1) : item;
        bool allDigits = !digits.isEmpty();
        for (char c : digits)
            allDigits = allDigits && isDigit(c);
        qint64 v = 0;
        for (qsizetype i = 0; allDigits && !negative && i < digits.size() && v <= MaxLength; ++i)
            v = v * 10 + (digits[i] - '0');
        if (!allDigits || negative || v > MaxLength) {
            problem(!allDigits ? Problem::ContentLengthNotNumber
                    : negative ? Problem::ContentLengthNegative
                               : Problem::ContentLengthTooLarge);
            m_lengthBad = true;
            continue;
        }
        if (m_lengthSeen && v != m_length) {
            problem(Problem::ContentLengthConflict);
            m_lengthBad = true;
            continue;
        }
        m_lengthSeen = true;
        m_length = v;
    }
}

void HttpFraming::endOfBlock()
{
    const int code = m_d.statusCode;
    if (code / 100 == 1 && code != 101) {
        ++m_d.interimResponses;
        m_lineNo = 0;
        return;
    }
    m_d.headerComplete = true;
    if (m_teSeen && (m_lengthSeen || m_lengthBad)) {
        m_d.problems.removeIf([](Problem p) {
            return p == Problem::ContentLengthNotNumber || p == Problem::ContentLengthNegative
                   || p == Problem::ContentLengthTooLarge || p == Problem::ContentLengthConflict;
        });
        problem(Problem::LengthIgnored);
        m_lengthSeen = m_lengthBad = false;
    }
    if (m_lengthSeen && !m_lengthBad)
        m_d.contentLength = m_length;

    if (m_head || code == 204 || code == 304) {
        m_d.framing = Framing::NoBody;
        complete();
    } else if (code == 101) { // NOLINT(bugprone-branch-clone): as the last branch, but it wins over any length
        m_d.framing = Framing::UntilClose; // another protocol from here on
        m_state = State::Rest;
    } else if (m_teSeen && m_teChunked) {
        m_d.framing = Framing::Chunked;
        m_d.chunked = true;
        m_state = State::ChunkSize;
    } else if (m_lengthBad) {
        m_d.framing = Framing::UntilClose;
        m_broken = true;
        m_state = State::Rest;
    } else if (m_lengthSeen) {
        m_d.framing = Framing::Length;
        if (m_length == 0)
            complete();
        else
            m_state = State::LengthBody;
    } else {
        m_d.framing = Framing::UntilClose;
        m_state = State::Rest;
    }
}

qsizetype HttpFraming::chunkSize(const char *p, qsizetype n)
{
    bool ended = false;
    const qsizetype k = takeLine(p, n, ChunkLineLimit - m_line.size(), &ended);
    if (k < 0) {
        giveUp(Problem::ChunkSizeBad);
        return 0;
    }
    if (!ended)
        return k;
    QByteArrayView line = withoutLineEnd(m_line);
    const qsizetype semi = line.indexOf(';'); // chunk extensions are not ours to judge
    if (semi >= 0)
        line = line.first(semi);
    line = line.trimmed();
    bool hex = !line.isEmpty();
    qint64 size = 0;
    for (qsizetype i = 0; hex && i < line.size() && size <= MaxLength; ++i) {
        const int d = hexValue(line[i]);
        hex = d >= 0;
        size = size * 16 + d;
    }
    if (!hex || size > MaxLength) {
        giveUp(hex ? Problem::ChunkSizeTooLarge : Problem::ChunkSizeBad);
        return k;
    }
    m_line.clear();
    if (size == 0) {
        m_d.lastChunkReceived = true;
        m_state = State::Trailers;
    } else {
        m_chunkLeft = size;
        m_state = State::ChunkData;
    }
    return k;
}

qsizetype HttpFraming::trailers(const char *p, qsizetype n)
{
    bool ended = false;
    const qsizetype k = takeLine(p, n, HeaderLimit - m_trailerBytes, &ended);
    if (k < 0) {
        giveUp(Problem::TrailerTooLong);
        return 0;
    }
    m_trailerBytes += k;
    if (ended) {
        const bool blank = withoutLineEnd(m_line).isEmpty();
        m_line.clear();
        if (blank)
            complete();
    }
    return k;
}

void HttpFraming::complete()
{
    m_completeAt = m_total;
    m_state = State::Rest;
}

void HttpFraming::giveUp(Problem p)
{
    // A chunk-size line that did not parse was body to the sender; it goes on as it came.
    if (m_state == State::ChunkSize)
        toBody(m_line.constData(), m_line.size());
    problem(p);
    m_broken = true;
    m_line.clear();
    m_state = State::Rest;
}

void HttpFraming::problem(Problem p)
{
    if (!m_d.problems.contains(p))
        m_d.problems.append(p);
}

HttpDiagnosis HttpFraming::diagnosis() const
{
    HttpDiagnosis d = m_d;
    if (m_broken || !d.headerComplete) {
        d.amount = Amount::Unknown;
    } else if (d.framing == Framing::Length) {
        const qint64 want = *d.contentLength;
        d.amount = d.bodyBytes < want ? Amount::Short : d.bodyBytes == want ? Amount::Exact : Amount::Longer;
    } else if (d.framing == Framing::NoBody || d.framing == Framing::Chunked) {
        d.amount = m_completeAt < 0 ? Amount::Short : m_total > m_completeAt ? Amount::Longer : Amount::Exact;
    }
    return d;
}
