#include "gui/ResponseFind.h"

#include "core/ExchangeEngine.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseFeed.h"
#include "gui/ResponsePaneBytes.h"
#include "gui/TextPaneFind.h"

ResponseFind::ResponseFind(RawTextPane *pane, ResponseFeed *feed, const ExchangeEngine *engine,
                           ByteFind::Encoding encoding, ByteFind::Options options)
    : FindTarget(pane), m_pane(pane), m_feed(feed)
{
    m_paneBytes = new ResponsePaneBytes(pane, feed, engine, encoding);
    m_bytes = new ByteFind(m_paneBytes, std::move(encoding), std::move(options), false, this);
    m_text = new TextPaneFind(pane);
    m_active = m_bytes;
    connect(engine, &ExchangeEngine::cleared, this, &FindTarget::changed);
    connect(engine, &ExchangeEngine::arrived, this, [this] {
        if (m_active == m_bytes)
            emit grew();
    });
    connect(m_text, &FindTarget::changed, this, [this] {
        if (m_feed->edited())
            emit changed();
    });
}

QAbstractScrollArea *ResponseFind::area() const
{
    return m_pane;
}

void ResponseFind::encodingChanged()
{
    m_paneBytes->forget();
    emit changed();
}

bool ResponseFind::start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why)
{
    m_active = m_feed->edited() ? static_cast<FindTarget *>(m_text) : m_bytes;
    return m_active->start(search, text, caseSensitive, hex, why);
}

ByteSearch::Match ResponseFind::selection() const
{
    return m_active->selection();
}

void ResponseFind::select(const ByteSearch::Match &m)
{
    m_active->select(m);
}

void ResponseFind::setHighlights(const QList<ByteSearch::Match> &matches)
{
    m_active->setHighlights(matches);
}
