#include "gui/BodyHighlighter.h"

namespace {
QTextCharFormat coloured(const QColor &c, bool italic = false, bool bold = false)
{
    QTextCharFormat f;
    f.setForeground(c);
    f.setFontItalic(italic);
    if (bold)
        f.setFontWeight(QFont::Bold);
    return f;
}

bool nameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char(':') || c == QLatin1Char('_') || c == QLatin1Char('-')
           || c == QLatin1Char('.');
}
} // namespace

BodyHighlighter::BodyHighlighter(QTextDocument *document) : QSyntaxHighlighter(document)
{
    m_tag = coloured(QColor(0x1a, 0x4f, 0xa0));
    m_attribute = coloured(QColor(0xa0, 0x52, 0x2d));
    m_namespace = coloured(QColor(0x80, 0x40, 0x90));
    m_value = coloured(QColor(0x1a, 0x7f, 0x37));
    m_comment = coloured(QColor(0x70, 0x70, 0x70), true);
    m_cdata = coloured(QColor(0x6f, 0x42, 0xc1));
    m_entity = coloured(QColor(0xb3, 0x5c, 0x00));
    m_declaration = coloured(QColor(0x70, 0x70, 0x70));
    m_key = coloured(QColor(0x1a, 0x4f, 0xa0));
    m_string = coloured(QColor(0x1a, 0x7f, 0x37));
    m_number = coloured(QColor(0x00, 0x7a, 0x80));
    m_literal = coloured(QColor(0x6f, 0x42, 0xc1), false, true);
    m_error = coloured(QColor(0xb0, 0x00, 0x20), false, true);
    m_error.setBackground(QColor(0xff, 0xe8, 0xe8));
}

void BodyHighlighter::setKind(BodyFormat::Kind kind, int errorLine)
{
    m_kind = kind;
    m_errorLine = errorLine;
}

void BodyHighlighter::highlightBlock(const QString &text)
{
    int state = qMax(0, previousBlockState());
    int line = currentBlock().blockNumber() * LinesPerBlock;
    const int n = int(text.size());
    for (int from = 0; from <= n; ++line) {
        int to = int(text.indexOf(QChar::LineSeparator, from));
        if (to < 0)
            to = n;
        if (m_errorLine >= 0 && line >= m_errorLine) {
            // The error's line, and after it the body as written.
            if (line == m_errorLine)
                setFormat(from, to - from, m_error);
            state = Text;
        } else if (m_kind == BodyFormat::Kind::Xml) {
            state = xml(text, from, to, state);
        } else if (m_kind == BodyFormat::Kind::Json) {
            json(text, from, to);
        }
        from = to + 1;
    }
    setCurrentBlockState(state);
}

int BodyHighlighter::until(const QString &text, int i, int to, QLatin1String close, const QTextCharFormat &f, bool *closed)
{
    const int at = int(QStringView(text).first(to).indexOf(close, i));
    *closed = at >= 0;
    const int end = at < 0 ? to : at + int(close.size());
    setFormat(i, end - i, f);
    return end;
}

void BodyHighlighter::entities(const QString &text, int from, int to)
{
    for (int i = int(text.indexOf(QLatin1Char('&'), from)); i >= 0 && i < to;
         i = int(text.indexOf(QLatin1Char('&'), i + 1))) {
        const int semi = int(text.indexOf(QLatin1Char(';'), i));
        if (semi > i && semi < to && semi - i <= 32)
            setFormat(i, semi - i + 1, m_entity);
    }
}

int BodyHighlighter::xml(const QString &text, int from, int n, int state)
{
    int i = from;
    bool closed = false;
    while (i < n) {
        switch (state) {
        case Comment:
            i = until(text, i, n, QLatin1String("-->"), m_comment, &closed);
            state = closed ? Text : Comment;
            break;
        case CData:
            i = until(text, i, n, QLatin1String("]]>"), m_cdata, &closed);
            state = closed ? Text : CData;
            break;
        case Declaration:
            i = until(text, i, n, QLatin1String(">"), m_declaration, &closed);
            state = closed ? Text : Declaration;
            break;
        case DoubleQuoted:
        case SingleQuoted: {
            i = until(text, i, n, QLatin1String(state == DoubleQuoted ? "\"" : "'"), m_value, &closed);
            state = closed ? Tag : state;
            break;
        }
        case Tag: {
            const QChar c = text[i];
            if (c == QLatin1Char('>') || (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('>'))) {
                const int len = c == QLatin1Char('>') ? 1 : 2;
                setFormat(i, len, m_tag);
                i += len;
                state = Text;
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                setFormat(i, 1, m_value);
                ++i;
                state = c == QLatin1Char('"') ? DoubleQuoted : SingleQuoted;
            } else if (nameChar(c)) {
                int e = i;
                while (e < n && nameChar(text[e]))
                    ++e;
                const bool ns = QStringView(text).sliced(i, e - i).startsWith(QLatin1String("xmlns"));
                setFormat(i, e - i, ns ? m_namespace : m_attribute);
                i = e;
            } else {
                ++i;
            }
            break;
        }
        default: { // text
            int lt = int(QStringView(text).first(n).indexOf(QLatin1Char('<'), i));
            if (lt < 0)
                lt = n;
            entities(text, i, lt);
            i = lt;
            if (i >= n)
                break;
            const QStringView rest = QStringView(text).sliced(i, n - i);
            if (rest.startsWith(QLatin1String("<!--"))) {
                state = Comment;
            } else if (rest.startsWith(QLatin1String("<![CDATA["))) {
                state = CData;
            } else if (rest.startsWith(QLatin1String("<?")) || rest.startsWith(QLatin1String("<!"))) {
                state = Declaration;
            } else {
                int e = i + 1 + (rest.startsWith(QLatin1String("</")) ? 1 : 0);
                while (e < n && nameChar(text[e]))
                    ++e;
                setFormat(i, e - i, m_tag);
                i = e;
                state = Tag;
            }
            break;
        }
        }
    }
    return state;
}

void BodyHighlighter::json(const QString &text, int from, int n)
{
    int i = from;
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            int e = i + 1;
            while (e < n && text[e] != QLatin1Char('"'))
                e += text[e] == QLatin1Char('\\') ? 2 : 1;
            e = qMin(e + 1, n);
            int after = e;
            while (after < n && text[after] == QLatin1Char(' '))
                ++after;
            setFormat(i, e - i, after < n && text[after] == QLatin1Char(':') ? m_key : m_string);
            i = e;
        } else if (c == QLatin1Char('-') || c.isDigit()) {
            int e = i + 1;
            while (e < n && (text[e].isDigit() || QStringView(u".eE+-").contains(text[e])))
                ++e;
            setFormat(i, e - i, m_number);
            i = e;
        } else if (c.isLetter()) {
            int e = i + 1;
            while (e < n && text[e].isLetter())
                ++e;
            setFormat(i, e - i, m_literal);
            i = e;
        } else {
            ++i;
        }
    }
}
