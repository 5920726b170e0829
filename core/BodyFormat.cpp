#include "core/BodyFormat.h"

#include "core/FormatLines.h"

#include <QCoreApplication>

namespace {

QStringView skipBlanks(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && (s[i].isSpace() || s[i] == QChar(0xFEFF)))
        ++i;
    return s.sliced(i);
}

} // namespace

BodyFormat::Kind BodyFormat::sniff(QStringView body, const QString &contentType)
{
    const QStringView start = skipBlanks(body.first(qMin<qsizetype>(body.size(), 4096)));
    if (start.startsWith(QLatin1Char('<')))
        return Kind::Xml;
    if (start.startsWith(QLatin1Char('{')) || start.startsWith(QLatin1Char('[')))
        return Kind::Json;
    const QString type = contentType.toLower();
    if (type.endsWith(QLatin1String("/xml")) || type.endsWith(QLatin1String("+xml")))
        return Kind::Xml;
    if (type.endsWith(QLatin1String("/json")) || type.endsWith(QLatin1String("+json")))
        return Kind::Json;
    return Kind::Text;
}

QString BodyFormat::withLfLineEnds(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += QLatin1Char('\n');
            if (i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

BodyFormat::Result BodyFormat::format(const QString &body, const QString &contentType, const std::atomic_bool *cancel)
{
    QString text = withLfLineEnds(body);
    // A byte-order mark decoded as content is no part of the document.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    switch (sniff(text, contentType)) {
    case Kind::Xml:
        return xml(text, cancel);
    case Kind::Json:
        return json(text, cancel);
    case Kind::Text:
        break;
    }
    Result r;
    r.text = text;
    return r;
}

void FormatLines::line(int depth, QStringView a, QStringView b, QStringView c)
{
    static const QString spaces(2 * BodyFormat::MaxIndentLevels, QLatin1Char(' '));
    m_out.append(QStringView(spaces).first(2 * qBound(0, depth, BodyFormat::MaxIndentLevels)));
    for (QStringView part : {a, b, c}) {
        m_out.append(part);
        count(part);
    }
    m_out.append(QLatin1Char('\n'));
    ++m_lines;
}

void FormatLines::count(QStringView text)
{
    m_lines += int(text.count(QLatin1Char('\n')));
}

void FormatLines::fail(BodyFormat::Result &r, qint64 line, qint64 column, const QString &message, QStringView rest)
{
    r.failed = true;
    r.line = line;
    r.column = column;
    r.message = message;
    r.errorLine = m_lines;
    const QString what = r.kind == BodyFormat::Kind::Xml ? QStringLiteral("XML") : QStringLiteral("JSON");
    m_out.append(QCoreApplication::translate("BodyFormat",
                                             "▲ %1 の構文エラー（%2 行 %3 桁目）: %4 ― ここから先は書かれたままです")
                     .arg(what)
                     .arg(line)
                     .arg(column)
                     .arg(message));
    m_out.append(QLatin1Char('\n'));
    ++m_lines;
    m_out.append(rest);
    m_failed = true;
}

void FormatLines::finish(BodyFormat::Result &r)
{
    if (!m_failed && m_out.endsWith(QLatin1Char('\n')))
        m_out.chop(1);
    r.text = std::move(m_out);
    m_out = QString();
}

void FormatLines::lineAndColumn(QStringView text, qsizetype at, qint64 *line, qint64 *column)
{
    at = qBound<qsizetype>(0, at, text.size());
    const QStringView before = text.first(at);
    *line = before.count(QLatin1Char('\n')) + 1;
    const qsizetype start = before.lastIndexOf(QLatin1Char('\n')) + 1;
    qint64 col = 1;
    for (qsizetype i = start; i < at; ++i)
        if (!text[i].isLowSurrogate())
            ++col;
    *column = col;
}
