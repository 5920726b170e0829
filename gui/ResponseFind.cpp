#include "gui/ResponseFind.h"

#include "core/ExchangeEngine.h"
#include "gui/ResponseView.h"

#include <QPlainTextEdit>

ResponseFind::ResponseFind(ResponseView *pane, const ExchangeEngine *engine, ByteFind::Encoding encoding,
                           ByteFind::Options options)
    : FindTarget(pane), m_pane(pane), m_paneBytes(pane, engine)
{
    m_bytes = new ByteFind(&m_paneBytes, std::move(encoding), std::move(options), false, this);
    connect(engine, &ExchangeEngine::cleared, this, &FindTarget::changed);
    connect(engine, &ExchangeEngine::arrived, this, [this] {
        if (!m_onText)
            emit grew();
    });
    // Becoming an editor, or going back to the bytes, changes what is searched.
    connect(pane, &ResponseView::editedChanged, this, &FindTarget::changed);
}

FindTarget *ResponseFind::active() const
{
    return m_onText && m_text ? static_cast<FindTarget *>(m_text) : m_bytes;
}

QAbstractScrollArea *ResponseFind::area() const
{
    return m_pane;
}

void ResponseFind::encodingChanged()
{
    emit changed();
}

bool ResponseFind::start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why)
{
    QPlainTextEdit *editor = m_pane->editor();
    if (editor && (!m_text || m_text->area() != editor)) {
        m_text = new TextPaneFind(editor);
        connect(m_text, &FindTarget::changed, this, &FindTarget::changed);
    }
    m_onText = editor != nullptr;
    return active()->start(search, text, caseSensitive, hex, why);
}

ByteSearch::Match ResponseFind::selection() const
{
    return active()->selection();
}

void ResponseFind::select(const ByteSearch::Match &m)
{
    active()->select(m);
}

void ResponseFind::setHighlights(const QList<ByteSearch::Match> &matches)
{
    active()->setHighlights(matches);
}
