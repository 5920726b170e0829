#include "window/RawText.h"

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
    default:
        out += QLatin1String("\r\n");
        break;
    }
}

} // namespace

void RawText::append(QTextDocument *doc, const QString &text)
{
    if (text.isEmpty())
        return;
    QTextCursor cur(doc);
    cur.movePosition(QTextCursor::End);
    cur.beginEditBlock();
    qsizetype i = 0;
    const qsizetype n = text.size();
    // A CR that ended the previous piece and an LF that starts this one are one CR LF.
    QTextBlock last = doc->lastBlock();
    if (text[0] == QLatin1Char('\n') && last.length() == 1 && last.previous().isValid()
        && last.previous().userState() == Cr) {
        last.previous().setUserState(CrLf);
        i = 1;
    }
    const QChar *s = text.constData();
    while (i < n) {
        qsizetype j = i;
        while (j < n && terminatorOf(s[j]) == 0)
            ++j;
        if (j > i)
            cur.insertText(QString(s + i, j - i));
        if (j >= n)
            break;
        int t = terminatorOf(s[j]);
        ++j;
        if (t == Cr && j < n && s[j] == QLatin1Char('\n')) {
            t = CrLf;
            ++j;
        }
        cur.insertBlock();
        cur.block().previous().setUserState(t);
        cur.block().setUserState(CrLf);
        i = j;
    }
    cur.endEditBlock();
}

QString RawText::read(const QTextDocument *doc)
{
    QString out;
    out.reserve(doc->characterCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        out += b.text();
        if (b.next().isValid())
            appendTerminator(out, b.userState());
    }
    return out;
}

void RawText::settleEdit(QTextDocument *doc, int startBlock, int endBlock, int endTerminator)
{
    for (int n = startBlock; n < endBlock; ++n)
        doc->findBlockByNumber(n).setUserState(CrLf);
    doc->findBlockByNumber(endBlock).setUserState(endTerminator);
}
