// The response's line index and its text: arbitrary bytes, cut into arbitrary
// arrivals, in any encoding, give the lines a reader of the bytes sees, keep
// every line end, and read the same however they are cut into lines or pieces.
#include "core/ResponseText.h"
#include "core/TextCodec.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(int line)
{
    std::fprintf(stderr, "fuzz_response_text: the check on line %d failed\n", line);
    std::abort();
}
#define check(ok) ((ok) ? void() : fail(__LINE__))

qsizetype countOf(QByteArrayView b, char c)
{
    return std::count(b.begin(), b.end(), c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QStringList names = TextCodec::names();
    const QString encoding = names[data[0] % names.size()];
    const QByteArray all(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));

    QByteArray kept;
    ResponseText t;
    t.attach(&kept);
    t.setEncoding(encoding);
    unsigned s = data[0] | 1;
    for (qsizetype pos = 0; pos < all.size();) {
        s = s * 1103515245u + 12345u;
        const qsizetype n = 1 + static_cast<qsizetype>((s >> 16) % 97);
        kept += all.mid(pos, n);
        pos += n;
        t.update();
    }
    t.setEnded(true);

    // The lines a reader of the bytes sees.
    qint64 begin = 0, number = 0;
    for (qint64 i = 0; i <= kept.size(); ++i) {
        const bool end = i == kept.size() || kept[i] == '\r' || kept[i] == '\n';
        if (!end)
            continue;
        const qint64 next = i < kept.size() && kept[i] == '\r' && i + 1 < kept.size() && kept[i + 1] == '\n' ? i + 2
                            : i < kept.size()                                                                ? i + 1
                                                                                                             : i;
        const LineIndex::Line l = t.lines().line(number);
        check(l.begin == begin && l.end == i && l.next == next && t.lines().lineOf(i) == number);
        begin = next;
        ++number;
        if (i == kept.size())
            break;
        i = next - 1;
    }
    check(t.lines().lineCount() == number);

    // Every line end is kept, and the text reads the same line by line.
    const QString whole = t.text(0, kept.size());
    check(whole.count(QLatin1Char('\r')) == countOf(kept, '\r') && whole.count(QLatin1Char('\n')) == countOf(kept, '\n'));
    QString byLines;
    for (qint64 n = 0; n < t.lines().lineCount(); ++n) {
        const LineIndex::Line l = t.lines().line(n);
        byLines += t.text(l.begin, l.next);
        const ResponseText::Piece p = t.piece(l.begin, l.end);
        check(p.text == t.text(l.begin, l.end));
        check(p.read <= l.length() && (p.starts.isEmpty() || p.starts.size() == p.text.size() + 1));
        for (qsizetype i = 0; i + 1 < p.starts.size(); ++i)
            check(p.starts[i] <= p.starts[i + 1] && p.starts[i] >= 0);
        for (qint64 pos = l.begin; pos <= l.end; pos += qMax<qint64>(1, l.length() / 61)) {
            const qint64 b = t.boundaryAtOrBefore(pos);
            check(b >= l.begin && b <= pos);
        }
    }
    check(byLines == whole);
    return 0;
}
