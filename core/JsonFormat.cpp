// JSON laid out with two blanks a level. QJsonDocument sorts object keys and
// holds every number as a double (12345678901234567890 comes back as
// 12345678901234567000), so the text is read here token by token, strings and
// numbers kept exactly as written, with an explicit stack instead of recursion.
#include "core/BodyFormat.h"

#include "core/FormatLines.h"

#include <QCoreApplication>

#include <vector>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(BodyFormat)
};

bool isJsonSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHex(QChar c)
{
    return isDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

class JsonPrinter
{
public:
    explicit JsonPrinter(QStringView src) : m_src(src) {}
    BodyFormat::Result run(const std::atomic_bool *cancel);

private:
    enum class Expect { Value, FirstKeyOrEnd, Key, Colon, CommaOrObjectEnd, FirstValueOrEnd, CommaOrArrayEnd, End };

    // The end of the token at p, or -1 with m_error set.
    qsizetype string(qsizetype p);
    qsizetype number(qsizetype p);
    qsizetype literal(qsizetype p);
    // Starts a value at p: a container opens, a scalar goes out.
    bool value(qsizetype p);
    Expect afterValue() const;
    int depth() const { return int(m_stack.size()); }
    void newLine();

    QStringView m_src;
    qsizetype m_pos = 0;
    QString m_line; // the line being built
    FormatLines m_out;
    std::vector<char> m_stack;
    Expect m_expect = Expect::Value;
    QString m_error;
    qsizetype m_errorAt = -1;
};

qsizetype JsonPrinter::string(qsizetype p)
{
    const qsizetype n = m_src.size();
    for (qsizetype i = p + 1; i < n; ++i) {
        const QChar c = m_src[i];
        if (c == QLatin1Char('"'))
            return i + 1;
        if (c.unicode() < 0x20) {
            m_error = Texts::tr("文字列の中に制御文字があります");
            m_errorAt = i;
            return -1;
        }
        if (c == QLatin1Char('\\')) {
            const QChar e = i + 1 < n ? m_src[i + 1] : QChar();
            if (e == QLatin1Char('u')) {
                for (qsizetype k = 2; k < 6; ++k) {
                    if (i + k >= n || !isHex(m_src[i + k])) {
                        m_error = Texts::tr("\\u の後に16進数4桁がありません");
                        m_errorAt = i;
                        return -1;
                    }
                }
                i += 5;
            } else if (QStringView(u"\"\\/bfnrt").contains(e) && !e.isNull()) {
                ++i;
            } else {
                m_error = Texts::tr("使えないエスケープです");
                m_errorAt = i;
                return -1;
            }
        }
    }
    m_error = Texts::tr("文字列が閉じていません");
    m_errorAt = p;
    return -1;
}

qsizetype JsonPrinter::number(qsizetype p)
{
    const qsizetype n = m_src.size();
    qsizetype i = p;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isDigit(m_src[i]))
            ++i;
        return i > from;
    };
    bool ok = true;
    if (m_src[i] == QLatin1Char('-'))
        ++i;
    if (i < n && m_src[i] == QLatin1Char('0'))
        ++i;
    else
        ok = digits();
    if (ok && i < n && m_src[i] == QLatin1Char('.')) {
        ++i;
        ok = digits();
    }
    if (ok && i < n && (m_src[i] == QLatin1Char('e') || m_src[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (m_src[i] == QLatin1Char('+') || m_src[i] == QLatin1Char('-')))
            ++i;
        ok = digits();
    }
    if (!ok) {
        m_error = Texts::tr("数値として読めません");
        m_errorAt = p;
        return -1;
    }
    return i;
}

qsizetype JsonPrinter::literal(qsizetype p)
{
    for (const char16_t *word : {u"true", u"false", u"null"}) {
        const QStringView w(word);
        if (m_src.sliced(p).startsWith(w))
            return p + w.size();
    }
    m_error = Texts::tr("値がありません");
    m_errorAt = p;
    return -1;
}

bool JsonPrinter::value(qsizetype p)
{
    const QChar c = m_src[p];
    if (c == QLatin1Char('{') || c == QLatin1Char('[')) {
        m_line += c;
        m_stack.push_back(char(c.unicode()));
        m_expect = c == QLatin1Char('{') ? Expect::FirstKeyOrEnd : Expect::FirstValueOrEnd;
        m_pos = p + 1;
        return true;
    }
    const qsizetype e = c == QLatin1Char('"')                   ? string(p)
                        : (c == QLatin1Char('-') || isDigit(c)) ? number(p)
                                                                : literal(p);
    if (e < 0)
        return false;
    m_line += m_src.sliced(p, e - p);
    m_pos = e;
    m_expect = afterValue();
    return true;
}

JsonPrinter::Expect JsonPrinter::afterValue() const
{
    if (m_stack.empty())
        return Expect::End;
    return m_stack.back() == '{' ? Expect::CommaOrObjectEnd : Expect::CommaOrArrayEnd;
}

void JsonPrinter::newLine()
{
    m_out.line(0, m_line);
    m_line = QString(2 * qMin(depth(), BodyFormat::MaxIndentLevels), QLatin1Char(' '));
}

BodyFormat::Result JsonPrinter::run(const std::atomic_bool *cancel)
{
    BodyFormat::Result r;
    r.kind = BodyFormat::Kind::Json;
    const qsizetype n = m_src.size();
    qint64 steps = 0;
    for (;;) {
        if ((++steps & 0xFFF) == 0 && cancel && cancel->load(std::memory_order_relaxed)) {
            r.cancelled = true;
            return r;
        }
        while (m_pos < n && isJsonSpace(m_src[m_pos]))
            ++m_pos;
        if (m_pos == n) {
            if (m_expect != Expect::End) {
                m_error = Texts::tr("JSON が途中で終わっています");
                m_errorAt = n;
            }
            break;
        }
        const qsizetype p = m_pos;
        const QChar c = m_src[p];
        bool ok = true;
        switch (m_expect) {
        case Expect::Value:
            ok = value(p);
            break;
        case Expect::FirstValueOrEnd:
            if (c == QLatin1Char(']')) {
                m_line += c;
                m_stack.pop_back();
                m_pos = p + 1;
                m_expect = afterValue();
            } else {
                newLine();
                ok = value(p);
            }
            break;
        case Expect::FirstKeyOrEnd:
        case Expect::Key:
            if (c == QLatin1Char('}') && m_expect == Expect::FirstKeyOrEnd) {
                m_line += c;
                m_stack.pop_back();
                m_pos = p + 1;
                m_expect = afterValue();
                break;
            }
            if (c != QLatin1Char('"')) {
                m_error = Texts::tr("キーの文字列がありません");
                m_errorAt = p;
                ok = false;
                break;
            }
            if (m_expect == Expect::FirstKeyOrEnd)
                newLine();
            if (const qsizetype e = string(p); e >= 0) {
                m_line += m_src.sliced(p, e - p);
                m_pos = e;
                m_expect = Expect::Colon;
            } else {
                ok = false;
            }
            break;
        case Expect::Colon:
            if (c == QLatin1Char(':')) {
                m_line += QLatin1String(": ");
                m_pos = p + 1;
                m_expect = Expect::Value;
            } else {
                m_error = Texts::tr("「:」がありません");
                m_errorAt = p;
                ok = false;
            }
            break;
        case Expect::CommaOrObjectEnd:
        case Expect::CommaOrArrayEnd: {
            const QChar close = m_expect == Expect::CommaOrObjectEnd ? QLatin1Char('}') : QLatin1Char(']');
            if (c == QLatin1Char(',')) {
                m_line += c;
                newLine();
                m_pos = p + 1;
                m_expect = m_expect == Expect::CommaOrObjectEnd ? Expect::Key : Expect::Value;
            } else if (c == close) {
                m_stack.pop_back();
                newLine();
                m_line += c;
                m_pos = p + 1;
                m_expect = afterValue();
            } else {
                m_error = Texts::tr("「,」か「%1」がありません").arg(close);
                m_errorAt = p;
                ok = false;
            }
            break;
        }
        case Expect::End:
            m_error = Texts::tr("値の後に余分な文字があります");
            m_errorAt = p;
            ok = false;
            break;
        }
        if (!ok)
            break;
    }
    if (m_errorAt >= 0) {
        if (!m_line.trimmed().isEmpty())
            m_out.line(0, m_line);
        qint64 line = 0, column = 0;
        FormatLines::lineAndColumn(m_src, m_errorAt, &line, &column);
        m_out.fail(r, line, column, m_error, m_src.sliced(qMin(m_pos, m_errorAt)));
    } else if (!m_line.isEmpty()) {
        m_out.line(0, m_line);
    }
    m_out.finish(r);
    return r;
}

} // namespace

BodyFormat::Result BodyFormat::json(QStringView body, const std::atomic_bool *cancel)
{
    JsonPrinter p(body);
    return p.run(cancel);
}
