#include "core/SearchPattern.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstring>
#include <functional>
#include <iterator>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SearchPattern)
};

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool sjisLead(uchar c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

int eucLength(uchar c)
{
    return c == 0x8F ? 3 : (c == 0x8E || c >= 0xA1) ? 2 : 1;
}

// ESC ( B / ESC ( J: one byte a character; ESC $ @ / ESC $ B: two. Other
// escapes (ESC ( I, ESC $ ( D) keep the two-byte count only for JIS X 0212.
// Returns the escape's length, or 0 when bytes at i are none of these.
int escape(QByteArrayView b, qint64 i, bool *twoByte)
{
    if (i + 2 >= b.size() || b[i] != '\x1B')
        return 0;
    const char a = b[i + 1], c = b[i + 2];
    if (a == '(' && (c == 'B' || c == 'J' || c == 'I')) {
        *twoByte = false;
        return 3;
    }
    if (a == '$' && (c == '@' || c == 'B')) {
        *twoByte = true;
        return 3;
    }
    if (a == '$' && c == '(' && i + 3 < b.size()) {
        *twoByte = true;
        return 4;
    }
    return 0;
}

// A haystack iterator that reads every byte in lower case, so the standard
// searcher's own byte table serves a search without case.
struct Folded
{
    using iterator_category = std::random_access_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char *;
    using reference = char;

    const char *p;
    char operator*() const { return lower(*p); }
    char operator[](difference_type n) const { return lower(p[n]); }
    Folded &operator++()
    {
        ++p;
        return *this;
    }
    Folded &operator--()
    {
        --p;
        return *this;
    }
    Folded &operator+=(difference_type n)
    {
        p += n;
        return *this;
    }
    Folded &operator-=(difference_type n)
    {
        p -= n;
        return *this;
    }
    Folded operator+(difference_type n) const { return {p + n}; }
    Folded operator-(difference_type n) const { return {p - n}; }
    difference_type operator-(const Folded &o) const { return p - o.p; }
    bool operator==(const Folded &o) const { return p == o.p; }
    bool operator!=(const Folded &o) const { return p != o.p; }
    bool operator<(const Folded &o) const { return p < o.p; }
};

} // namespace

SearchPattern SearchPattern::forText(const QString &text, const QString &encoding, bool caseSensitive,
                                     const TextCodec::EncodeOptions &options)
{
    SearchPattern s;
    if (text.isEmpty())
        return s;
    const QString name = TextCodec::normalized(encoding);
    const TextCodec::Encoded e = TextCodec::encodeLeniently(text, name, options);
    if (e.unencodable >= 0) {
        const QChar c = text[e.unencodable];
        s.error = Texts::tr("「%1」は文字コード %2 で表せません")
                      .arg(c.isHighSurrogate() ? text.mid(e.unencodable, 2) : QString(c), name);
        return s;
    }
    QByteArray bytes = e.bytes;
    QByteArray fold(bytes.size(), 0);
    if (name == QLatin1String("Shift_JIS")) {
        s.rule = Rule::ShiftJis;
        for (qsizetype i = 0; i < bytes.size();) {
            if (sjisLead(uchar(bytes[i]))) {
                i += 2;
            } else {
                fold[i] = isLetter(bytes[i]) ? '\1' : '\0';
                ++i;
            }
        }
    } else if (name == QLatin1String("EUC-JP")) {
        s.rule = Rule::EucJp;
        for (qsizetype i = 0; i < bytes.size();) {
            const int n = eucLength(uchar(bytes[i]));
            if (n == 1)
                fold[i] = isLetter(bytes[i]) ? '\1' : '\0';
            i += n;
        }
    } else if (name == QLatin1String("ISO-2022-JP")) {
        s.rule = Rule::Iso2022Jp;
        // The escape into the first character's mode, and the one back to
        // ASCII after the last, belong to the text around a match, not to it.
        bool twoByte = false;
        if (escape(bytes, 0, &twoByte) == 3 && twoByte) {
            s.startsTwoByte = true;
            bytes.remove(0, 3);
            fold.remove(0, 3);
        }
        if (bytes.endsWith("\x1B(B") && bytes.size() > 3) {
            bytes.chop(3);
            fold.chop(3);
        }
        twoByte = s.startsTwoByte;
        for (qsizetype i = 0; i < bytes.size();) {
            if (const int n = escape(bytes, i, &twoByte)) {
                i += n;
            } else if (twoByte) {
                i += 2;
            } else {
                fold[i] = isLetter(bytes[i]) ? '\1' : '\0';
                ++i;
            }
        }
    } else {
        for (qsizetype i = 0; i < bytes.size(); ++i)
            fold[i] = isLetter(bytes[i]) ? '\1' : '\0';
    }
    s.needle = bytes;
    if (!caseSensitive && fold.contains('\1'))
        s.fold = fold;
    return s;
}

SearchPattern SearchPattern::forHex(const QString &hex)
{
    SearchPattern s;
    QString digits;
    const QStringList words = hex.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    for (QString w : words) {
        if (w.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            w.remove(0, 2);
        if (w.size() % 2 != 0) {
            s.error = Texts::tr("16進数は2桁ずつ書いて下さい（例: 0d 0a）");
            return s;
        }
        digits += w;
    }
    for (QChar c : digits) {
        if (!QStringView(u"0123456789abcdefABCDEF").contains(c)) {
            s.error = Texts::tr("16進数として読めません: %1").arg(c);
            return s;
        }
    }
    const QByteArray bytes = QByteArray::fromHex(digits.toLatin1());
    s.needle = bytes;
    return s;
}

PatternMatcher::PatternMatcher(const SearchPattern &pattern) : m_p(pattern)
{
    m_anyFold = !m_p.fold.isEmpty();
    m_folded = m_p.needle;
    if (m_anyFold)
        for (qsizetype i = 0; i < m_folded.size(); ++i)
            if (m_p.fold[i])
                m_folded[i] = lower(m_folded[i]);
    if (m_anyFold)
        m_searcher.emplace(m_folded.constBegin(), m_folded.constEnd());
}

qint64 PatternMatcher::candidate(QByteArrayView bytes, qint64 from, qint64 startEnd) const
{
    const qint64 len = m_p.needle.size();
    const qint64 end = qMin<qint64>(bytes.size(), startEnd + len - 1);
    if (end - from < len)
        return -1;
    const char *base = bytes.data();
    if (!m_anyFold) {
        const void *hit = memmem(base + from, size_t(end - from), m_p.needle.constData(), size_t(len));
        return hit ? static_cast<const char *>(hit) - base : -1;
    }
    // Folding the needle's ASCII letters only where the pattern allows is
    // checked afterwards; the searcher looks with every letter folded.
    const auto [at, stop] = (*m_searcher)(Folded{base + from}, Folded{base + end});
    return at.p == base + end ? -1 : at.p - base;
}

bool PatternMatcher::sameBytes(const char *at) const
{
    const qsizetype n = m_p.needle.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char want = m_p.needle[i];
        if (m_p.fold[i] ? lower(at[i]) != lower(want) : at[i] != want)
            return false;
    }
    return true;
}

qint64 PatternMatcher::next(QByteArrayView bytes, qint64 from, qint64 startEnd)
{
    while (from < startEnd) {
        const qint64 at = candidate(bytes, from, startEnd);
        if (at < 0 || at >= startEnd)
            return -1;
        if ((!m_anyFold || sameBytes(bytes.data() + at)) && startsCharacter(bytes, at))
            return at;
        from = at + 1;
    }
    return -1;
}

bool PatternMatcher::startsCharacter(QByteArrayView bytes, qint64 at)
{
    switch (m_p.rule) {
    case SearchPattern::Rule::AnyByte:
        return true;
    case SearchPattern::Rule::ShiftJis:
        return startsShiftJis(bytes, at);
    case SearchPattern::Rule::EucJp:
        return startsEucJp(bytes, at);
    case SearchPattern::Rule::Iso2022Jp:
        return startsIso2022Jp(bytes, at);
    }
    return true;
}

// In Shift_JIS a character ends just before any byte that cannot lead one, so
// a position starts a character when the lead-range bytes right before it pair up.
bool PatternMatcher::startsShiftJis(QByteArrayView bytes, qint64 at)
{
    qint64 k = at;
    while (k > m_sync && sjisLead(uchar(bytes[k - 1])))
        --k;
    const bool starts = (at - k) % 2 == 0;
    m_sync = starts ? at : at - 1;
    return starts;
}

// In EUC-JP every byte of a multi-byte character has its high bit set.
bool PatternMatcher::startsEucJp(QByteArrayView bytes, qint64 at)
{
    qint64 i = m_sync;
    for (qint64 k = at - 1; k >= m_sync; --k) {
        if (uchar(bytes[k]) < 0x80) {
            i = k + 1;
            break;
        }
    }
    qint64 last = i;
    while (i < at) {
        last = i;
        i += eucLength(uchar(bytes[i]));
    }
    m_sync = i == at ? at : last;
    return i == at;
}

// ISO-2022-JP: the escapes before a position say its mode; in the two-byte
// mode characters start at even distances from the escape.
bool PatternMatcher::startsIso2022Jp(QByteArrayView bytes, qint64 at)
{
    const char *base = bytes.data();
    while (m_scanned < at) {
        const void *esc = std::memchr(base + m_scanned, '\x1B', size_t(at - m_scanned));
        if (!esc) {
            m_scanned = at;
            break;
        }
        const qint64 e = static_cast<const char *>(esc) - base;
        bool twoByte = m_twoByte;
        const int n = escape(bytes, e, &twoByte);
        if (n == 0) {
            m_scanned = e + 1;
            continue;
        }
        if (e + n > at)
            return false; // inside an escape
        m_twoByte = twoByte;
        m_modeStart = e + n;
        m_scanned = e + n;
    }
    if (m_twoByte != m_p.startsTwoByte)
        return false;
    return !m_twoByte || (at - m_modeStart) % 2 == 0;
}
