#include "core/ResponseDiff.h"

#include "core/TextCodec.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QSet>

#include <dtl/dtl.hpp>

#include <string>
#include <vector>

namespace ResponseDiff {

namespace {

constexpr qint32 LongLine = 4000; // characters: longer changed lines are marked whole

struct Elem
{
    size_t hash;
    qint32 index;
    bool ignorable; // equal to any line of the same header name
    bool operator==(const Elem &o) const { return hash == o.hash && ignorable == o.ignorable; }
};

// Equal lines for the alignment. Past the deadline, or once cancelled, every
// pair is "equal": dtl then runs straight to the end, and the caller checks
// such pairs again and shows the unequal ones as changed. (dtl's own bounded
// mode reads past the end of a sequence, and an exception would leak its table.)
class LineCompare : public dtl::Compare<Elem>
{
public:
    LineCompare() = default;
    LineCompare(const Side *left, const Side *right, QDeadlineTimer deadline, const std::atomic<bool> *cancel,
                bool *expired)
        : m_left(left), m_right(right), m_deadline(deadline), m_cancel(cancel), m_expired(expired)
    {}
    bool impl(const Elem &a, const Elem &b) const override
    {
        if (*m_expired)
            return true;
        if ((++m_calls & 0xfff) == 0 && (m_deadline.hasExpired() || (m_cancel && m_cancel->load()))) {
            *m_expired = true;
            return true;
        }
        return same(a, b);
    }
    bool same(const Elem &a, const Elem &b) const
    {
        return a == b
               && (a.ignorable
                   || (m_left->line(a.index) == m_right->line(b.index) && m_left->end(a.index) == m_right->end(b.index)));
    }

private:
    const Side *m_left = nullptr;
    const Side *m_right = nullptr;
    QDeadlineTimer m_deadline;
    const std::atomic<bool> *m_cancel = nullptr;
    bool *m_expired = nullptr;
    mutable quint32 m_calls = 0;
};

Side split(const QByteArray &bytes, const QString &encoding, qint64 maxBytes)
{
    Side s;
    s.cut = bytes.size() > maxBytes;
    s.text = TextCodec::decode(QByteArrayView(bytes).first(qMin<qint64>(bytes.size(), maxBytes)), encoding);
    const QChar *p = s.text.constData();
    const qint32 n = qint32(s.text.size());
    qint32 start = 0;
    for (qint32 i = 0; i < n; ++i) {
        if (p[i] != QLatin1Char('\n') && p[i] != QLatin1Char('\r'))
            continue;
        s.starts << start;
        s.lengths << i - start;
        const bool crlf = p[i] == QLatin1Char('\r') && i + 1 < n && p[i + 1] == QLatin1Char('\n');
        s.ends << (crlf ? 2 : 1);
        if (crlf)
            ++i;
        start = i + 1;
    }
    if (start < n) {
        s.starts << start;
        s.lengths << n - start;
        s.ends << 0;
    }
    return s;
}

// Lines of an HTTP header block whose name is in the list hash by the name alone.
std::vector<Elem> elements(const Side &s, const QSet<QString> &ignored)
{
    std::vector<Elem> out;
    out.reserve(size_t(s.starts.size()));
    bool inHeader = !ignored.isEmpty() && s.text.startsWith(QLatin1String("HTTP/"));
    for (qint32 i = 0; i < s.starts.size(); ++i) {
        const QStringView line = s.line(i);
        if (inHeader && line.isEmpty())
            inHeader = false;
        if (inHeader && i > 0) {
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            const QString name = colon > 0 ? line.first(colon).trimmed().toString().toLower() : QString();
            if (!name.isEmpty() && ignored.contains(name)) {
                out.push_back({qHash(name), i, true});
                continue;
            }
        }
        out.push_back({qHash(s.end(i), qHash(line)), i, false});
    }
    return out;
}

} // namespace

Result compare(const QByteArray &left, const QString &leftEncoding, const QByteArray &right,
               const QString &rightEncoding, const Options &options)
{
    const QDeadlineTimer deadline(options.timeLimitMs);
    Result r;
    r.left = split(left, leftEncoding, options.maxBytes);
    r.right = split(right, rightEncoding, options.maxBytes);
    QSet<QString> ignored;
    for (const QString &h : options.ignoredHeaders)
        if (!h.trimmed().isEmpty())
            ignored.insert(h.trimmed().toLower());
    const std::vector<Elem> a = elements(r.left, ignored);
    const std::vector<Elem> b = elements(r.right, ignored);
    bool expired = false;
    const LineCompare equal(&r.left, &r.right, QDeadlineTimer::Forever, nullptr, &expired);

    const auto pushEqual = [&r](const Elem &x, const Elem &y) {
        const bool same = !x.ignorable
                          || (r.left.line(x.index) == r.right.line(y.index)
                              && r.left.end(x.index) == r.right.end(y.index));
        r.rows.append(Row{x.index, y.index, same ? Row::Same : Row::Ignored});
    };
    // The common start and end need no alignment.
    size_t head = 0;
    while (head < a.size() && head < b.size() && equal.same(a[head], b[head]))
        ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && equal.same(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
        ++tail;
    r.rows.reserve(qsizetype(std::max(a.size(), b.size())) + 16);
    for (size_t i = 0; i < head; ++i)
        pushEqual(a[i], b[i]);

    const std::vector<Elem> midA(a.begin() + qsizetype(head), a.end() - qsizetype(tail));
    const std::vector<Elem> midB(b.begin() + qsizetype(head), b.end() - qsizetype(tail));
    if (!midA.empty() || !midB.empty()) {
        dtl::Diff<Elem, std::vector<Elem>, LineCompare> diff(
            midA, midB, true, LineCompare(&r.left, &r.right, deadline, options.cancel, &expired));
        diff.compose();
        QList<qint32> removed, added;
        const auto flush = [&] {
            const qsizetype pairs = qMin(removed.size(), added.size());
            for (qsizetype i = 0; i < pairs; ++i)
                r.rows.append(Row{removed[i], added[i], Row::Changed});
            for (qsizetype i = pairs; i < removed.size(); ++i)
                r.rows.append(Row{removed[i], -1, Row::Removed});
            for (qsizetype i = pairs; i < added.size(); ++i)
                r.rows.append(Row{-1, added[i], Row::Added});
            removed.clear();
            added.clear();
        };
        for (const auto &[e, info] : diff.getSes().getSequence()) {
            const qint32 li = qint32(head) + qint32(info.beforeIdx) - 1;
            const qint32 ri = qint32(head) + qint32(info.afterIdx) - 1;
            switch (info.type) {
            case dtl::SES_DELETE:
                removed << li;
                break;
            case dtl::SES_ADD:
                added << ri;
                break;
            case dtl::SES_COMMON:
                // Past the bound, "common" lines are only paired, not equal.
                if (!equal.same(a[size_t(li)], b[size_t(ri)])) {
                    removed << li;
                    added << ri;
                    break;
                }
                flush();
                pushEqual(a[size_t(li)], b[size_t(ri)]);
                break;
            }
        }
        flush();
    }
    for (size_t i = tail; i > 0; --i)
        pushEqual(a[a.size() - i], b[b.size() - i]);

    r.alignmentCut = expired && !(options.cancel && options.cancel->load());
    r.cancelled = options.cancel && options.cancel->load();
    for (qsizetype i = 0; i < r.rows.size(); ++i) {
        const bool differs = r.rows[i].kind != Row::Same && r.rows[i].kind != Row::Ignored;
        const bool before = i > 0 && r.rows[i - 1].kind != Row::Same && r.rows[i - 1].kind != Row::Ignored;
        if (differs && !before)
            r.differences << qint32(i);
    }
    return r;
}

Spans changedCharacters(QStringView a, QStringView b)
{
    Spans s;
    qint32 head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qint32 tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const qint32 na = qint32(a.size()) - head - tail;
    const qint32 nb = qint32(b.size()) - head - tail;
    if (na > LongLine || nb > LongLine || na == 0 || nb == 0) {
        if (na > 0)
            s.left.append({head, na});
        if (nb > 0)
            s.right.append({head, nb});
        return s;
    }
    const std::u16string x(reinterpret_cast<const char16_t *>(a.utf16()) + head, size_t(na));
    const std::u16string y(reinterpret_cast<const char16_t *>(b.utf16()) + head, size_t(nb));
    dtl::Diff<char16_t, std::u16string> diff(x, y);
    diff.compose();
    const auto extend = [](QList<QPair<qint32, qint32>> &runs, qint32 at) {
        if (!runs.isEmpty() && runs.last().first + runs.last().second == at)
            ++runs.last().second;
        else
            runs.append({at, 1});
    };
    for (const auto &[c, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_DELETE)
            extend(s.left, head + qint32(info.beforeIdx) - 1);
        else if (info.type == dtl::SES_ADD)
            extend(s.right, head + qint32(info.afterIdx) - 1);
    }
    return s;
}

} // namespace ResponseDiff
