#include "core/ByteSearch.h"

namespace {
// A step stops looking after this long; a slice takes well under it.
constexpr qint64 StepMs = 12;
} // namespace

ByteSearch::ByteSearch(QObject *parent) : QObject(parent), m_timer(this)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ByteSearch::step);
}

void ByteSearch::stop()
{
    m_timer.stop();
    m_bytes = nullptr;
    m_matcher.reset();
    m_text.clear();
    m_textNeedle.clear();
    m_next = m_count = 0;
    m_needleSize = 0;
    m_matches.clear();
}

void ByteSearch::start(const QByteArray *bytes, const SearchPattern &pattern)
{
    stop();
    if (!pattern.isValid())
        return;
    m_bytes = bytes;
    m_matcher = std::make_unique<PatternMatcher>(pattern);
    m_needleSize = pattern.needle.size();
    more();
}

void ByteSearch::start(const QString &text, const QString &needle, Qt::CaseSensitivity cs)
{
    stop();
    if (needle.isEmpty())
        return;
    m_text = text;
    m_textNeedle = needle;
    m_cs = cs;
    m_needleSize = needle.size();
    more();
}

void ByteSearch::more()
{
    if (m_needleSize > 0 && !m_timer.isActive())
        m_timer.start(0);
}

// Past this no match fits in what there is yet.
qint64 ByteSearch::startLimit() const
{
    const qint64 size = m_bytes ? m_bytes->size() : m_text.size();
    return qMax<qint64>(0, size - m_needleSize + 1);
}

void ByteSearch::finish()
{
    m_timer.stop();
    if (m_needleSize > 0)
        searchSlice(startLimit());
    emit progressed();
    emit finished();
}

void ByteSearch::step()
{
    QElapsedTimer t;
    t.start();
    while (m_next < startLimit() && t.elapsed() < StepMs)
        searchSlice(qMin(startLimit(), m_next + m_slice));
    emit progressed();
    if (m_next < startLimit())
        m_timer.start(0);
    else
        emit finished();
}

// Every match that starts before end; one that starts there may run past it.
void ByteSearch::searchSlice(qint64 end)
{
    if (m_next >= end)
        return;
    if (m_bytes) {
        const QByteArrayView bytes(*m_bytes);
        while (m_next < end) {
            const qint64 at = m_matcher->next(bytes, m_next, end);
            if (at < 0) {
                m_next = end;
                break;
            }
            add(at, at + m_needleSize);
        }
        return;
    }
    const QStringView text(m_text);
    while (m_next < end) {
        const QStringView window = text.first(qMin<qint64>(text.size(), end + m_needleSize - 1));
        const qsizetype at = window.indexOf(m_textNeedle, m_next, m_cs);
        if (at < 0 || at >= end) {
            m_next = end;
            break;
        }
        add(at, at + m_needleSize);
    }
}

void ByteSearch::add(qint64 begin, qint64 end)
{
    ++m_count;
    if (m_matches.size() < MaxKept)
        m_matches.append({begin, end});
    m_next = end;
}
