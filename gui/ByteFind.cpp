#include "gui/ByteFind.h"

#include "gui/BytePane.h"

ByteFind::ByteFind(BytePane *pane, Encoding encoding, Options options, bool offersHex, QObject *parent)
    : FindTarget(parent),
      m_pane(pane),
      m_encoding(std::move(encoding)),
      m_options(std::move(options)),
      m_offersHex(offersHex)
{}

QAbstractScrollArea *ByteFind::area() const
{
    return m_pane->area();
}

bool ByteFind::start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why)
{
    const SearchPattern p = hex ? SearchPattern::forHex(text)
                                : SearchPattern::forText(text, m_encoding(), caseSensitive, m_options());
    if (!p.isValid()) {
        *why = p.error;
        return false;
    }
    search.start(m_pane->shownBytes(), p);
    return true;
}

ByteSearch::Match ByteFind::selection() const
{
    return m_pane->selectedBytes();
}

void ByteFind::select(const ByteSearch::Match &m)
{
    m_pane->selectBytes(m.first, m.second);
}

void ByteFind::setHighlights(const QList<ByteSearch::Match> &matches)
{
    m_pane->setHighlights(matches);
}
