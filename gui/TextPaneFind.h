#pragma once

#include "gui/FindTarget.h"

#include <QList>
#include <QTimer>

class QPlainTextEdit;

// Find over a text pane: its characters, searched as text (case folded as
// Unicode does it). A long line the pane cuts into blocks is one line here,
// so a match across a cut is found. Only the matches in sight are marked.
class TextPaneFind : public FindTarget
{
    Q_OBJECT
public:
    explicit TextPaneFind(QPlainTextEdit *pane);

    QAbstractScrollArea *area() const override;
    bool start(ByteSearch &search, const QString &text, bool caseSensitive, bool hex, QString *why) override;
    ByteSearch::Match selection() const override;
    void select(const ByteSearch::Match &m) override;
    void setHighlights(const QList<ByteSearch::Match> &matches) override;

private:
    // Text index to document position: a cut adds a block break the text has not.
    int startPosition(qint64 i) const;
    int endPosition(qint64 i) const;
    qint64 textIndex(int position) const;
    void markInSight();

    QPlainTextEdit *m_pane;
    QList<qint64> m_cuts; // text indexes where the pane cut a line
    QList<ByteSearch::Match> m_matches;
    QTimer m_mark;
    bool m_marked = false;
};
