#include "gui/HexFind.h"

#include "gui/HexView.h"

HexFind::HexFind(HexView *view, Encoding encoding, Options options)
    : FindTarget(view), m_view(view), m_encoding(std::move(encoding)), m_options(std::move(options))
{
}

QAbstractScrollArea *HexFind::area() const
{
    return m_view;
}

bool HexFind::start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why)
{
    const SearchPattern p = hex ? SearchPattern::forHex(text)
                                : SearchPattern::forText(text, m_encoding(), caseSensitive, m_options());
    if (!p.isValid()) {
        *why = p.error;
        return false;
    }
    search.start(m_view->byteArray(), p);
    return true;
}

ByteSearch::Match HexFind::selection() const
{
    const HexView::Selection s = m_view->selection();
    return {s.start, s.start + s.length};
}

void HexFind::select(const ByteSearch::Match &m)
{
    m_view->selectBytes(m.first, m.second);
}

void HexFind::setHighlights(const QList<ByteSearch::Match> &matches)
{
    m_view->setHighlights(matches);
}
