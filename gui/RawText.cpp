#include "gui/RawText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

int terminatorOf(QChar c)
{
    switch (c.unicode()) {
    case u'\r':
        return RawText::Cr;
    case u'\n':
        return RawText::Lf;
    case 0x2029:
        return RawText::ParagraphSep;
    case 0xFDD0:
        return RawText::FrameStart;
    case 0xFDD1:
        return RawText::FrameEnd;
    default:
        return 0;
    }
}

void appendTerminator(QString &out, int state)
{
    switch (state) {
    case RawText::Cr:
        out += QLatin1Char('\r');
        break;
    case RawText::Lf:
        out += QLatin1Char('\n');
        break;
    case RawText::ParagraphSep:
        out += QChar(0x2029);
        break;
    case RawText::FrameStart:
        out += QChar(0xFDD0);
        break;
    case RawText::FrameEnd:
        out += QChar(0xFDD1);
        break;
    case RawText::Continues:
        break;
    default:
        out += QLatin1String("\r\n");
        break;
    }
}

} // namespace

int RawText::terminatorLength(int state)
{
    QString t;
    appendTerminator(t, state);
    return int(t.size());
}

qsizetype RawText::index(const QTextDocument *doc, int position)
{
    qsizetype raw = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (position < b.position() + b.length())
            return raw + qMin(position - b.position(), b.length() - 1);
        raw += b.length() - 1 + terminatorLength(b.userState());
    }
    return raw;
}

void RawText::append(QTextDocument *doc, const QString &text)
{
    if (text.isEmpty())
        return;
    QTextBlock last = doc->lastBlock();
    qsizetype i = 0;
    const qsizetype n = text.size();
    const QChar *s = text.constData();
    // A CR that ended the previous piece and an LF that starts this one are one CR LF.
    if (s[0] == QLatin1Char('\n') && last.length() == 1 && last.previous().isValid()
        && last.previous().userState() == Cr) {
        last.previous().setUserState(CrLf);
        i = 1;
    }
    // One insertion of the text with every terminator as a bare block break is
    // far cheaper than a block at a time; the terminators other than CR LF are
    // set on their blocks afterwards.
    const int first = last.blockNumber();
    int block = first;
    qsizetype lineLength = last.length() - 1;
    QString flat;
    flat.reserve(n - i + n / MaxBlock + 1);
    QList<std::pair<int, int>> states;
    for (; i < n; ++i) {
        const QChar c = s[i];
        int t = terminatorOf(c);
        if (t == 0) {
            if (lineLength >= MaxBlock && !c.isLowSurrogate()) {
                flat += QLatin1Char('\n');
                states.append({block++, Continues});
                lineLength = 0;
            }
            flat += c;
            ++lineLength;
            continue;
        }
        if (t == Cr && i + 1 < n && s[i + 1] == QLatin1Char('\n')) {
            t = CrLf;
            ++i;
        }
        flat += QLatin1Char('\n');
        if (t != CrLf)
            states.append({block, t});
        ++block;
        lineLength = 0;
    }
    QTextCursor cur(doc);
    cur.movePosition(QTextCursor::End);
    cur.beginEditBlock();
    cur.insertText(flat);
    if (!states.isEmpty()) {
        QTextBlock b = doc->findBlockByNumber(first);
        int number = first;
        for (const auto &[at, t] : states) {
            while (number < at && b.isValid()) {
                b = b.next();
                ++number;
            }
            b.setUserState(t);
        }
    }
    doc->lastBlock().setUserState(CrLf);
    cur.endEditBlock();
}

int RawText::positionOf(const QString &text, qsizetype index)
{
    qsizetype pos = 0;
    qsizetype lineLength = 0;
    const qsizetype n = qMin(index, text.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (terminatorOf(c) == 0) {
            if (lineLength >= MaxBlock && !c.isLowSurrogate()) {
                ++pos;
                lineLength = 0;
            }
            ++pos;
            ++lineLength;
            continue;
        }
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        ++pos;
        lineLength = 0;
    }
    return int(pos);
}

QString RawText::read(const QTextDocument *doc)
{
    return read(doc, 0, doc->characterCount() - 1);
}

QString RawText::read(const QTextDocument *doc, int from, int to)
{
    QString out;
    out.reserve(to - from);
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        const int start = qMax(from, b.position()) - b.position();
        const int end = qMin(to, b.position() + b.length() - 1) - b.position();
        out += QStringView(b.text()).mid(start, end - start);
        if (b.next().isValid() && b.position() + b.length() <= to)
            appendTerminator(out, b.userState());
    }
    return out;
}

int RawText::position(const QTextDocument *doc, qsizetype i)
{
    qsizetype raw = 0; // where the block's text starts in read(doc)
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const qsizetype length = b.length() - 1;
        if (i <= raw + length || !b.next().isValid())
            return b.position() + int(qMin(i - raw, length));
        raw += length + terminatorLength(b.userState());
    }
    return 0;
}

void RawText::settleEdit(QTextDocument *doc, int startBlock, int endBlock, int endTerminator)
{
    for (int n = startBlock; n < endBlock; ++n)
        doc->findBlockByNumber(n).setUserState(CrLf);
    doc->findBlockByNumber(endBlock).setUserState(endTerminator);
}
