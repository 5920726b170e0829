// XML laid out one element a line. QXmlStreamReader reads and checks the
// document; what goes out is the source text of each part as written, found
// from where the last part ended, so entities, CDATA, quoting and namespace
// prefixes stay exactly as they were.
#include "core/BodyFormat.h"

#include "core/FormatLines.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {

bool isXmlSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

QStringView trimmedXml(QStringView s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && isXmlSpace(s[a]))
        ++a;
    while (b > a && isXmlSpace(s[b - 1]))
        --b;
    return s.sliced(a, b - a);
}

class XmlPrinter
{
public:
    explicit XmlPrinter(const QString &src) : m_string(src), m_src(src) {}
    BodyFormat::Result run(const std::atomic_bool *cancel);

private:
    qsizetype skipSpace(qsizetype p) const;
    // The end (just past it) of the markup that starts at p, or -1.
    qsizetype endOf(qsizetype p, QStringView close) const;
    qsizetype endOfTag(qsizetype p) const;
    qsizetype endOfDoctype(qsizetype p) const;
    // Emits the markup from the next '<' to its end; false when it is not there.
    bool markup(int depth, QStringView open, QStringView close);
    void text();
    void flush(bool closing);

    const QString &m_string;
    QStringView m_src;
    qsizetype m_pos = 0; // the source up to here is out
    FormatLines m_out;
    int m_depth = 0;
    // An element whose start tag is not out yet: it goes on one line with its
    // text and end tag when it holds text only.
    bool m_open = false;
    QStringView m_openTag;
    qsizetype m_textFrom = -1; // the element's text so far, as written
    qsizetype m_textTo = -1;
    bool m_emptyElement = false; // <a/>: its end has no text of its own
};

qsizetype XmlPrinter::skipSpace(qsizetype p) const
{
    while (p < m_src.size() && (isXmlSpace(m_src[p]) || m_src[p] == QChar(0xFEFF)))
        ++p;
    return p;
}

qsizetype XmlPrinter::endOf(qsizetype p, QStringView close) const
{
    const qsizetype at = m_src.indexOf(close, p);
    return at < 0 ? -1 : at + close.size();
}

qsizetype XmlPrinter::endOfTag(qsizetype p) const
{
    QChar quote;
    for (qsizetype i = p + 1; i < m_src.size(); ++i) {
        const QChar c = m_src[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i + 1;
        }
    }
    return -1;
}

qsizetype XmlPrinter::endOfDoctype(qsizetype p) const
{
    QChar quote;
    int brackets = 0;
    for (qsizetype i = p + 1; i < m_src.size(); ++i) {
        const QChar c = m_src[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('[')) {
            ++brackets;
        } else if (c == QLatin1Char(']')) {
            --brackets;
        } else if (c == QLatin1Char('>') && brackets <= 0) {
            return i + 1;
        }
    }
    return -1;
}

bool XmlPrinter::markup(int depth, QStringView open, QStringView close)
{
    const qsizetype p = skipSpace(m_pos);
    if (!m_src.sliced(p).startsWith(open))
        return false;
    const qsizetype e = close.isEmpty() ? endOfDoctype(p) : endOf(p + open.size(), close);
    if (e < 0)
        return false;
    m_out.line(depth, m_src.sliced(p, e - p));
    m_pos = e;
    return true;
}

// Text runs to the next '<'; the reader may report one run as several parts.
void XmlPrinter::text()
{
    qsizetype e = m_src.indexOf(QLatin1Char('<'), m_pos);
    if (e < 0)
        e = m_src.size();
    if (e == m_pos)
        return;
    if (m_textFrom < 0)
        m_textFrom = m_pos;
    m_textTo = e;
    m_pos = e;
}

// Puts out what waits before a child (closing = false) or the end tag.
void XmlPrinter::flush(bool closing)
{
    const QStringView text = m_textFrom < 0 ? QStringView() : m_src.sliced(m_textFrom, m_textTo - m_textFrom);
    m_textFrom = m_textTo = -1;
    if (m_open && closing)
        return; // the caller puts tag, text and end tag on one line
    if (m_open) {
        m_out.line(m_depth - 1, m_openTag);
        m_open = false;
    }
    const QStringView t = trimmedXml(text);
    if (!t.isEmpty())
        m_out.line(m_depth, t);
}

BodyFormat::Result XmlPrinter::run(const std::atomic_bool *cancel)
{
    BodyFormat::Result r;
    r.kind = BodyFormat::Kind::Xml;
    QXmlStreamReader reader(m_string);
    bool lost = false; // the source and the reader's parts no longer agree
    qint64 steps = 0;
    while (!reader.atEnd() && !lost) {
        if ((++steps & 0xFFF) == 0 && cancel && cancel->load(std::memory_order_relaxed)) {
            r.cancelled = true;
            return r;
        }
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            if (const QStringView at = m_src.sliced(skipSpace(m_pos));
                at.startsWith(QLatin1String("<?xml")) && at.size() > 5 && isXmlSpace(at[5]))
                lost = !markup(0, u"<?", u"?>");
            break;
        case QXmlStreamReader::DTD:
            flush(false);
            lost = !markup(m_depth, u"<!", QStringView());
            break;
        case QXmlStreamReader::Comment:
            flush(false);
            lost = !markup(m_depth, u"<!--", u"-->");
            break;
        case QXmlStreamReader::ProcessingInstruction:
            flush(false);
            lost = !markup(m_depth, u"<?", u"?>");
            break;
        case QXmlStreamReader::StartElement: {
            flush(false);
            const qsizetype p = skipSpace(m_pos);
            const qsizetype e = p < m_src.size() && m_src[p] == QLatin1Char('<') ? endOfTag(p) : -1;
            if (e < 0) {
                lost = true;
                break;
            }
            const QStringView tag = m_src.sliced(p, e - p);
            m_pos = e;
            if (tag.endsWith(QLatin1String("/>"))) {
                m_out.line(m_depth, tag);
                m_emptyElement = true;
            } else {
                m_open = true;
                m_openTag = tag;
                ++m_depth;
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            if (m_emptyElement) {
                m_emptyElement = false;
                break;
            }
            const QStringView text = m_textFrom < 0 ? QStringView() : m_src.sliced(m_textFrom, m_textTo - m_textFrom);
            const bool inline_ = m_open;
            flush(true);
            const qsizetype p = skipSpace(m_pos);
            const qsizetype e = m_src.sliced(p).startsWith(QLatin1String("</")) ? endOf(p, u">") : -1;
            if (e < 0) {
                lost = true;
                break;
            }
            --m_depth;
            if (inline_) {
                // Blanks across lines between start and end tag are layout, not content.
                const bool layout = trimmedXml(text).isEmpty() && text.contains(QLatin1Char('\n'));
                m_out.line(m_depth, m_openTag, layout ? QStringView() : text, m_src.sliced(p, e - p));
                m_open = false;
            } else {
                m_out.line(m_depth, m_src.sliced(p, e - p));
            }
            m_pos = e;
            break;
        }
        case QXmlStreamReader::Characters:
            if (reader.isCDATA()) {
                const qsizetype p = m_pos;
                const qsizetype e = m_src.sliced(p).startsWith(QLatin1String("<![CDATA[")) ? endOf(p, u"]]>") : -1;
                if (e < 0) {
                    lost = true;
                    break;
                }
                if (m_textFrom < 0)
                    m_textFrom = p;
                m_textTo = e;
                m_pos = e;
            } else {
                text();
            }
            break;
        case QXmlStreamReader::EntityReference:
            text();
            break;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::NoToken:
        case QXmlStreamReader::Invalid:
            break;
        }
    }
    if (reader.hasError() || lost) {
        flush(false);
        const QString message = lost ? QCoreApplication::translate("BodyFormat", "ここから先を読み取れません")
                                     : reader.errorString();
        qint64 line = reader.lineNumber(), column = reader.columnNumber();
        if (lost)
            FormatLines::lineAndColumn(m_src, m_pos, &line, &column);
        m_out.fail(r, line, column, message, trimmedXml(m_src.sliced(m_pos)));
    } else {
        flush(false);
        // Whatever follows the document (blanks only, or the reader had said so).
        const QStringView rest = trimmedXml(m_src.sliced(m_pos));
        if (!rest.isEmpty())
            m_out.line(0, rest);
    }
    m_out.finish(r);
    return r;
}

} // namespace

BodyFormat::Result BodyFormat::xml(const QString &body, const std::atomic_bool *cancel)
{
    XmlPrinter p(body);
    return p.run(cancel);
}
