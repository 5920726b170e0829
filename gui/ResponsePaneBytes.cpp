#include "gui/ResponsePaneBytes.h"

#include "core/ExchangeEngine.h"
#include "core/TextCodec.h"
#include "gui/RawText.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseFeed.h"

#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace {
constexpr qint64 Spacing = 64 * 1024; // bytes between checkpoints, about
constexpr int MaxMarked = 2000;
} // namespace

ResponsePaneBytes::ResponsePaneBytes(RawTextPane *pane, ResponseFeed *feed, const ExchangeEngine *engine,
                                     std::function<QString()> encoding)
    : QObject(pane), m_pane(pane), m_feed(feed), m_engine(engine), m_encoding(std::move(encoding))
{
    m_mark.setSingleShot(true);
    m_mark.setInterval(30);
    connect(&m_mark, &QTimer::timeout, this, &ResponsePaneBytes::markInSight);
    connect(pane->verticalScrollBar(), &QScrollBar::valueChanged, &m_mark, qOverload<>(&QTimer::start));
    connect(engine, &ExchangeEngine::cleared, this, &ResponsePaneBytes::forget);
    forget();
}

QAbstractScrollArea *ResponsePaneBytes::area()
{
    return m_pane;
}

const QByteArray *ResponsePaneBytes::shownBytes() const
{
    return &m_engine->response();
}

void ResponsePaneBytes::forget()
{
    m_checkpoints = {{0, 0}};
    m_selected = {-1, -1};
}

// A piece from a line start: just past the first line end at least Spacing on,
// so a fresh decoder reads each piece as the pane's decoder read it.
qint64 ResponsePaneBytes::pieceEnd(qint64 from) const
{
    const QByteArrayView bytes(m_engine->response());
    const qint64 reach = qMin<qint64>(bytes.size(), from + Spacing);
    const qint64 lf = bytes.indexOf('\n', reach - 1 > from ? reach - 1 : from);
    return lf < 0 ? bytes.size() : lf + 1;
}

qint64 ResponsePaneBytes::decodedLength(qint64 from, qint64 to) const
{
    StreamDecoder d(m_encoding());
    return d.decode(QByteArrayView(m_engine->response()).sliced(from, to - from)).size();
}

// Walks whole pieces on from the last checkpoint while stop(piece end, characters) says so.
template<typename Stop>
QPair<qint64, qint64> ResponsePaneBytes::walk(QPair<qint64, qint64> at, Stop stop)
{
    const qint64 size = m_engine->response().size();
    while (at.first < size) {
        const qint64 end = pieceEnd(at.first);
        const qint64 chars = at.second + decodedLength(at.first, end);
        if (stop(end, chars))
            break;
        at = {end, chars};
        if (at.first > m_checkpoints.constLast().first)
            m_checkpoints.append(at);
    }
    return at;
}

qint64 ResponsePaneBytes::charOf(qint64 byte)
{
    byte = qBound<qint64>(0, byte, m_engine->response().size());
    const auto before = std::upper_bound(m_checkpoints.cbegin(), m_checkpoints.cend(), byte,
                                         [](qint64 b, const QPair<qint64, qint64> &c) { return b < c.first; });
    const QPair<qint64, qint64> at = walk(*(before - 1), [byte](qint64 end, qint64) { return end > byte; });
    return at.second + decodedLength(at.first, byte);
}

qint64 ResponsePaneBytes::byteOf(qint64 index)
{
    const auto before = std::upper_bound(m_checkpoints.cbegin(), m_checkpoints.cend(), index,
                                         [](qint64 c, const QPair<qint64, qint64> &p) { return c < p.second; });
    auto [pos, chars] = walk(*(before - 1), [index](qint64, qint64 c) { return c > index; });
    // Within the piece, a byte at a time.
    const QByteArrayView bytes(m_engine->response());
    StreamDecoder d(m_encoding());
    while (pos < bytes.size() && chars < index)
        chars += d.decode(bytes.sliced(pos++, 1)).size();
    return pos;
}

ByteSearch::Match ResponsePaneBytes::selectedBytes() const
{
    const QTextCursor c = m_pane->textCursor();
    if (m_selected.first >= 0 && QPair<int, int>(c.selectionStart(), c.selectionEnd()) == m_selectedAt)
        return m_selected;
    auto *self = const_cast<ResponsePaneBytes *>(this);
    const qint64 at = self->byteOf(RawText::index(m_pane->document(), c.selectionStart()));
    return {at, at};
}

void ResponsePaneBytes::selectBytes(qint64 begin, qint64 end)
{
    const qint64 from = charOf(begin), to = charOf(end);
    if (m_feed->pending() > 0)
        m_feed->flush(); // the match may lie beyond what the pane has laid out yet
    QTextCursor c(m_pane->document());
    c.setPosition(RawText::position(m_pane->document(), from));
    c.setPosition(RawText::position(m_pane->document(), to), QTextCursor::KeepAnchor);
    m_pane->setTextCursor(c);
    m_pane->ensureCursorVisible();
    m_selected = {begin, end};
    m_selectedAt = {c.selectionStart(), c.selectionEnd()};
}

void ResponsePaneBytes::setHighlights(const QList<QPair<qint64, qint64>> &ranges)
{
    m_highlights = ranges;
    markInSight();
}

void ResponsePaneBytes::markInSight()
{
    // Another find over the same pane may own its marks.
    if (m_highlights.isEmpty() && !m_marked)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    const QTextDocument *doc = m_pane->document();
    if (!m_highlights.isEmpty()) {
        QTextBlock block = m_pane->cursorForPosition(QPoint(0, 0)).block();
        const QTextBlock last = m_pane->cursorForPosition(m_pane->viewport()->rect().bottomRight()).block();
        qint64 blockRaw = RawText::index(doc, block.position());
        const qint64 from = blockRaw;
        const qint64 to = RawText::index(doc, last.position() + last.length() - 1);
        // Raw indexes in sight to document positions, walking on from the first block.
        const auto position = [&](qint64 raw) {
            while (block.next().isValid() && raw > blockRaw + block.length() - 1) {
                blockRaw += block.length() - 1 + RawText::terminatorLength(block.userState());
                block = block.next();
            }
            return block.position() + int(qMin<qint64>(raw - blockRaw, block.length() - 1));
        };
        auto m = std::lower_bound(m_highlights.cbegin(), m_highlights.cend(), byteOf(from),
                                  [](const QPair<qint64, qint64> &r, qint64 b) { return r.second <= b; });
        QTextCharFormat f;
        f.setBackground(QColor(0xff, 0xe0, 0x70));
        for (; m != m_highlights.cend() && marks.size() < MaxMarked; ++m) {
            const qint64 a = charOf(m->first);
            if (a > to)
                break;
            QTextCursor c(m_pane->document());
            c.setPosition(position(qMax(a, from)));
            c.setPosition(position(charOf(m->second)), QTextCursor::KeepAnchor);
            marks.append({c, f});
        }
    }
    m_pane->setExtraSelections(marks);
    m_marked = !marks.isEmpty();
}
