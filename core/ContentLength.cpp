#include "core/ContentLength.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ContentLength)
};

// A line of the text: its content is [start, end), its line end [end, next).
struct Line
{
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

// CR LF is one line end; a lone CR or a lone LF is one too.
Line lineAt(QStringView t, qsizetype from)
{
    qsizetype i = from;
    while (i < t.size() && t[i] != u'\r' && t[i] != u'\n')
        ++i;
    qsizetype next = i;
    if (i < t.size())
        next = i + (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n' ? 2 : 1);
    return {from, i, next};
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// A Content-Length field: its line and any folded lines continuing it.
struct Field
{
    qsizetype colon;
    Line first;
    Line last;
};
} // namespace

ContentLength::Result ContentLength::fix(const QString &request, const std::function<qint64(QStringView body)> &wireLength)
{
    const QStringView t(request);
    Result r;
    QList<Field> fields;
    bool transferEncoding = false;
    bool inLength = false; // the field being continued by folded lines is a Content-Length

    // The request line is never a header, whatever it looks like.
    Line line = lineAt(t, 0);
    Line previous = line;
    for (;;) {
        if (line.next == line.end) {
            r.note = Texts::tr("ヘッダーと本文の区切り（空行）がありません");
            return r;
        }
        previous = line;
        line = lineAt(t, line.next);
        if (line.start == line.end) {
            if (line.next > line.end)
                break; // the empty line
            continue;  // the end of the text; the check above says so
        }
        if (isBlank(t[line.start])) {
            if (inLength)
                fields.last().last = line;
            continue;
        }
        const QStringView content = t.sliced(line.start, line.end - line.start);
        const qsizetype colon = content.indexOf(u':');
        const QStringView name = colon < 0 ? QStringView() : content.first(colon).trimmed();
        inLength = name.compare(u"Content-Length", Qt::CaseInsensitive) == 0;
        if (inLength)
            fields.append({line.start + colon, line, line});
        else if (name.compare(u"Transfer-Encoding", Qt::CaseInsensitive) == 0)
            transferEncoding = true;
    }

    const qsizetype bodyStart = line.next;
    if (bodyStart == t.size()) {
        r.note = Texts::tr("本文がないため変更しません");
        return r;
    }
    r.newValue = QString::number(wireLength(t.sliced(bodyStart)));

    if (fields.isEmpty()) {
        if (transferEncoding) {
            r.note = Texts::tr("Transfer-Encoding があるため Content-Length を追加しません");
            return r;
        }
        // Ended like the header line above it, so the block keeps one style of line end.
        const QStringView lineEnd = t.sliced(previous.end, previous.next - previous.end);
        r.applicable = true;
        r.edits.append({line.start, 0, QStringLiteral("Content-Length: ") + r.newValue + lineEnd.toString()});
        r.note = Texts::tr("Content-Length: %1 を追加").arg(r.newValue);
        return r;
    }

    r.applicable = true;
    const Field &first = fields.first();
    qsizetype from = first.colon + 1;
    while (from < first.last.end && (isBlank(t[from]) || t[from] == u'\r' || t[from] == u'\n'))
        ++from;
    qsizetype to = first.last.end;
    while (to > from && isBlank(t[to - 1]))
        --to;
    r.oldValue = t.sliced(from, to - from).toString();
    if (r.oldValue != r.newValue)
        r.edits.append({from, to - from, r.newValue});
    for (qsizetype i = 1; i < fields.size(); ++i)
        r.edits.append({fields[i].first.start, fields[i].last.next - fields[i].first.start, QString()});
    std::reverse(r.edits.begin(), r.edits.end());

    const qsizetype duplicates = fields.size() - 1;
    if (r.edits.isEmpty())
        r.note = Texts::tr("Content-Length は正しい値 (%1) です").arg(r.newValue);
    else if (r.oldValue != r.newValue)
        r.note = QStringLiteral("Content-Length: %1 → %2").arg(r.oldValue.simplified(), r.newValue);
    else
        r.note = QStringLiteral("Content-Length: %1").arg(r.newValue);
    if (duplicates > 0)
        //: Follows the note before at once: the translation starts with its own separator.
        r.note += Texts::tr("（重複した %1 行を削除）").arg(duplicates);
    return r;
}

QString ContentLength::apply(QString text, const QList<Edit> &edits)
{
    for (const Edit &e : edits)
        text.replace(e.position, e.removed, e.inserted);
    return text;
}
