#include "gui/TextPaneFind.h"

#include "gui/RawText.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace {
constexpr int MaxMarked = 2000; // in sight; more would only slow the paint
} // namespace

TextPaneFind::TextPaneFind(QPlainTextEdit *pane) : FindTarget(pane), m_pane(pane)
{
    m_mark.setSingleShot(true);
    connect(&m_mark, &QTimer::timeout, this, &TextPaneFind::markInSight);
    connect(pane->verticalScrollBar(), &QScrollBar::valueChanged, &m_mark, qOverload<>(&QTimer::start));
    connect(pane->document(), &QTextDocument::contentsChanged, this, &FindTarget::changed);
}

QAbstractScrollArea *TextPaneFind::area() const
{
    return m_pane;
}

bool TextPaneFind::start(ByteSearch &search, const QString &text, bool caseSensitive, bool, QString *)
{
    QString all;
    all.reserve(m_pane->document()->characterCount());
    m_cuts.clear();
    for (QTextBlock b = m_pane->document()->begin(); b.isValid(); b = b.next()) {
        all += b.text();
        if (!b.next().isValid())
            break;
        if (b.userState() == RawText::Continues)
            m_cuts.append(all.size());
        else
            all += QLatin1Char('\n');
    }
    search.start(all, text, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return true;
}

int TextPaneFind::startPosition(qint64 i) const
{
    return int(i + (std::upper_bound(m_cuts.cbegin(), m_cuts.cend(), i) - m_cuts.cbegin()));
}

int TextPaneFind::endPosition(qint64 i) const
{
    return int(i + (std::lower_bound(m_cuts.cbegin(), m_cuts.cend(), i) - m_cuts.cbegin()));
}

qint64 TextPaneFind::textIndex(int position) const
{
    qint64 before = 0;
    while (before < m_cuts.size() && m_cuts[before] + before < position)
        ++before;
    return position - before;
}

ByteSearch::Match TextPaneFind::selection() const
{
    const QTextCursor c = m_pane->textCursor();
    return {textIndex(c.selectionStart()), textIndex(c.selectionEnd())};
}

void TextPaneFind::select(const ByteSearch::Match &m)
{
    QTextCursor c(m_pane->document());
    c.setPosition(startPosition(m.first));
    c.setPosition(endPosition(m.second), QTextCursor::KeepAnchor);
    m_pane->setTextCursor(c);
    m_pane->ensureCursorVisible();
}

void TextPaneFind::setHighlights(const QList<ByteSearch::Match> &matches)
{
    m_matches = matches;
    markInSight();
}

void TextPaneFind::markInSight()
{
    // Another find over the same pane may own its marks.
    if (m_matches.isEmpty() && !m_marked)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    if (!m_matches.isEmpty()) {
        const QRect port = m_pane->viewport()->rect();
        const qint64 from = textIndex(m_pane->cursorForPosition(port.topLeft()).block().position());
        const QTextCursor end = m_pane->cursorForPosition(port.bottomRight());
        const qint64 to = textIndex(end.block().position() + end.block().length());
        QTextCharFormat f;
        f.setBackground(QColor(0xff, 0xe0, 0x70));
        auto m = std::lower_bound(m_matches.cbegin(), m_matches.cend(), from,
                                  [](const ByteSearch::Match &x, qint64 at) { return x.second <= at; });
        for (; m != m_matches.cend() && m->first <= to && marks.size() < MaxMarked; ++m) {
            QTextCursor c(m_pane->document());
            c.setPosition(startPosition(m->first));
            c.setPosition(endPosition(m->second), QTextCursor::KeepAnchor);
            marks.append({c, f});
        }
    }
    m_pane->setExtraSelections(marks);
    m_marked = !marks.isEmpty();
}
