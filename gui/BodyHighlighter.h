#pragma once

#include "core/BodyFormat.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the laid-out body of the 整形 page: XML markup or JSON tokens, the
// line naming a syntax error, and nothing after it (that part is as written).
class BodyHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    // The page puts this many lines in a block, joined by U+2028.
    static constexpr int LinesPerBlock = 32;
    explicit BodyHighlighter(QTextDocument *document);
    // Takes effect for the blocks highlighted from now on.
    void setKind(BodyFormat::Kind kind, int errorLine);

protected:
    void highlightBlock(const QString &text) override;

private:
    enum State { Text = 0, Tag, DoubleQuoted, SingleQuoted, Comment, CData, Declaration };
    // One line of the block, from up to n, in state; returns the state after it.
    int xml(const QString &text, int from, int n, int state);
    void json(const QString &text, int from, int n);
    // Colours text from i up to (and with) close; returns the position after
    // close, or to when it is not before to.
    int until(const QString &text, int i, int to, QLatin1String close, const QTextCharFormat &f, bool *closed);
    void entities(const QString &text, int from, int to);

    BodyFormat::Kind m_kind = BodyFormat::Kind::Text;
    int m_errorLine = -1;
    QTextCharFormat m_tag, m_attribute, m_namespace, m_value, m_comment, m_cdata, m_entity, m_declaration;
    QTextCharFormat m_key, m_string, m_number, m_literal, m_error;
};
