#include "gui/ResponseFeed.h"

#include "core/ExchangeEngine.h"
#include "gui/RawTextPane.h"

namespace {
constexpr qint64 TargetMs = 40;
constexpr qint64 MinSlice = 16 * 1024;
constexpr qint64 MaxSlice = 1024 * 1024;
// What is left to lay out once the exchange has ended is shown at once when
// it is this small; a larger rest goes on filling while the window answers.
constexpr qint64 FlushAtEnd = 1 << 20;
} // namespace

ResponseFeed::ResponseFeed(RawTextPane *pane, const ExchangeEngine *engine, QObject *parent)
    : QObject(parent), m_pane(pane), m_engine(engine)
{
    connect(engine, &ExchangeEngine::cleared, this, qOverload<>(&ResponseFeed::restart));
    connect(engine, &ExchangeEngine::arrived, this, [this] { grew(); });
    connect(engine, &ExchangeEngine::outcomeChanged, this, [this](ExchangeEngine::Outcome o) {
        // An abort reports nothing; the pane is left as it stands.
        if (o != ExchangeEngine::Outcome::Running && o != ExchangeEngine::Outcome::Idle)
            end();
    });
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ResponseFeed::step);
    connect(pane->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (!m_filling && (removed || added))
            m_edited = true;
    });
}

const QByteArray &ResponseFeed::bytes() const
{
    return m_engine->response();
}

void ResponseFeed::restart(const QString &encoding)
{
    m_encoding = encoding;
    restart();
}

void ResponseFeed::restart()
{
    m_timer.stop();
    m_decoder = StreamDecoder(m_encoding);
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

void ResponseFeed::end()
{
    grew(true);
    if (pending() <= FlushAtEnd)
        flush();
}

qint64 ResponseFeed::pending() const
{
    return bytes().size() - m_shown;
}

void ResponseFeed::flush()
{
    m_timer.stop();
    appendUpTo(bytes().size());
}

void ResponseFeed::step()
{
    QElapsedTimer t;
    t.start();
    appendUpTo(qMin<qint64>(bytes().size(), m_shown + m_slice));
    const qint64 ms = qMax<qint64>(1, t.elapsed());
    m_slice = qBound(MinSlice, m_slice * TargetMs / ms, MaxSlice);
    grew();
}

void ResponseFeed::appendUpTo(qint64 end)
{
    QString text = m_decoder.decode(QByteArrayView(bytes()).sliced(m_shown, end - m_shown));
    m_shown = end;
    if (m_ended && m_shown == bytes().size() && !m_finished) {
        text += m_decoder.finish();
        m_finished = true;
    }
    m_filling = true;
    m_pane->appendRaw(text);
    m_filling = false;
}
