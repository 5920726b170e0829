#include "gui/ResponsePaneBytes.h"

#include "core/ExchangeEngine.h"
#include "gui/ResponseView.h"

ResponsePaneBytes::ResponsePaneBytes(ResponseView *pane, const ExchangeEngine *engine) : m_pane(pane), m_engine(engine)
{}

QAbstractScrollArea *ResponsePaneBytes::area()
{
    return m_pane;
}

const QByteArray *ResponsePaneBytes::shownBytes() const
{
    return &m_engine->response();
}

ByteSearch::Match ResponsePaneBytes::selectedBytes() const
{
    return m_pane->selectedBytes();
}

void ResponsePaneBytes::selectBytes(qint64 begin, qint64 end)
{
    m_pane->selectBytes(begin, end);
}

void ResponsePaneBytes::setHighlights(const QList<QPair<qint64, qint64>> &ranges)
{
    m_pane->setHighlights(ranges);
}
