#include "gui/ResponseFeed.h"

#include "gui/RawTextPane.h"

namespace {
constexpr qint64 TargetMs = 40;
constexpr qint64 MinSlice = 16 * 1024;
constexpr qint64 MaxSlice = 1024 * 1024;
} // namespace

ResponseFeed::ResponseFeed(RawTextPane *pane, const QByteArray *bytes, QObject *parent)
    : QObject(parent), m_pane(pane), m_bytes(bytes)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ResponseFeed::step);
    connect(pane->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (!m_filling && (removed || added))
            m_edited = true;
    });
}

void ResponseFeed::restart(const QString &encoding)
{
    m_timer.stop();
    m_decoder = StreamDecoder(encoding);
    m_shown = 0;
    m_ended = false;
    m_finished = false;
    m_filling = true;
    m_pane->setRawText(QString());
    m_filling = false;
    m_edited = false;
    grew();
}

void ResponseFeed::grew(bool ended)
{
    m_ended = m_ended || ended;
    if (!m_timer.isActive() && (pending() > 0 || (m_ended && !m_finished)))
        m_timer.start(0);
}

qint64 ResponseFeed::pending() const
{
    return m_bytes->size() - m_shown;
}

void ResponseFeed::flush()
{
    m_timer.stop();
    appendUpTo(m_bytes->size());
}

void ResponseFeed::step()
{
    QElapsedTimer t;
    t.start();
    appendUpTo(qMin<qint64>(m_bytes->size(), m_shown + m_slice));
    const qint64 ms = qMax<qint64>(1, t.elapsed());
    m_slice = qBound(MinSlice, m_slice * TargetMs / ms, MaxSlice);
    grew();
}

void ResponseFeed::appendUpTo(qint64 end)
{
    QString text = m_decoder.decode(QByteArrayView(*m_bytes).sliced(m_shown, end - m_shown));
    m_shown = end;
    if (m_ended && m_shown == m_bytes->size() && !m_finished) {
        text += m_decoder.finish();
        m_finished = true;
    }
    m_filling = true;
    m_pane->appendRaw(text);
    m_filling = false;
}
