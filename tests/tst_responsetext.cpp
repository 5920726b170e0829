// The response's line index and its text in each encoding, built from bytes
// that arrive in pieces: whatever the pieces, the lines and the text are those
// of the whole.
#include "core/ResponseText.h"

#include <QTest>

namespace {

struct Line
{
    qint64 begin, end, next;
};

// Lines as a reader of the bytes sees them.
QList<Line> linesOf(const QByteArray &b)
{
    QList<Line> lines;
    qint64 begin = 0;
    for (qint64 i = 0; i < b.size(); ++i) {
        if (b[i] != '\r' && b[i] != '\n')
            continue;
        const qint64 next = b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n' ? i + 2 : i + 1;
        lines.append({begin, i, next});
        begin = next;
        i = next - 1;
    }
    lines.append({begin, b.size(), b.size()});
    return lines;
}

} // namespace

class ResponseTextTest : public QObject
{
    Q_OBJECT
private slots:
    void piecesReadAsTheWhole_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF split across arrivals")
            << "UTF-8" << QList<QByteArray>{"a\r", "\nb\r", "\n"} << "a\r\nb\r\n";
        // The bytes are read 64 at a time: a CR that ends one block and the LF that starts the next.
        QTest::newRow("CR LF across read blocks")
            << "UTF-8"
            << QList<QByteArray>{QByteArray(63, 'a') + "\r\n" + QByteArray(126, 'b') + "\r", "\n" + QByteArray(70, 'c')}
            << QString(63, 'a') + "\r\n" + QString(126, 'b') + "\r\n" + QString(70, 'c');
        QTest::newRow("lone CR at a slice end") << "UTF-8" << QList<QByteArray>{"a\r", "b\r"} << "a\rb\r";
        QTest::newRow("lone LF, CR LF and lone CR") << "UTF-8" << QList<QByteArray>{"x\ny\r", "\nz\rw"} << "x\ny\r\nz\rw";
        QTest::newRow("UTF-8 split inside characters")
            << "UTF-8" << QList<QByteArray>{"\xE5", "\xBF\x9C\xE7", "\xAD\x94"} << "応答";
        QTest::newRow("Shift_JIS split inside characters")
            << "Shift_JIS" << QList<QByteArray>{"\x89", "\x9E\x93", "\x9A\r", "\n\x87", "\x40"} << "応答\r\n①";
        QTest::newRow("EUC-JP split inside characters")
            << "EUC-JP" << QList<QByteArray>{"\xB1", "\xFE\xC5", "\xFA\n"} << "応答\n";
        QTest::newRow("ISO-2022-JP split inside an escape and a character")
            << "ISO-2022-JP" << QList<QByteArray>{"\x1B$", "B1~E", "z\x1B(B\r\n"} << "応答\r\n";
        // The decoder leaves a two-byte set at a line end, and keeps JIS-Roman.
        QTest::newRow("ISO-2022-JP state at line starts")
            << "ISO-2022-JP" << QList<QByteArray>{"\x1B$B0!\r\n0!\r\n\x1B(J\\\n", "\\"} << "亜\r\n0!\r\n¥\n¥";
        QTest::newRow("an invalid byte before a line end keeps the line end")
            << "ISO-2022-JP" << QList<QByteArray>{"\x1B$B0\r\nx"} << "\uFFFD\r\nx";
        QTest::newRow("invalid bytes, NUL and a leading byte-order mark")
            << "UTF-8" << QList<QByteArray>{"\xEF\xBB", QByteArray("\xBFx\0\xFF\r", 5)}
            << QStringLiteral("\uFEFFx") + QChar(0) + QStringLiteral("\uFFFD\r");
        QTest::newRow("an unfinished character at the end") << "Shift_JIS" << QList<QByteArray>{"a\x82"} << "a\uFFFD";
        // Longer than a stretch, the long-line mark and any arrival.
        QList<QByteArray> longLine;
        for (int i = 0; i < 40; ++i)
            longLine << QByteArray(7777, 'Q');
        longLine << "\r"
                 << "\nend";
        QTest::newRow("lines longer than any buffer")
            << "ISO-8859-1" << longLine << QString(40 * 7777, QLatin1Char('Q')) + "\r\nend";
    }
    void piecesReadAsTheWhole()
    {
        QFETCH(QString, encoding);
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QString, text);
        QByteArray kept;
        ResponseText t;
        t.attach(&kept);
        t.setEncoding(encoding);
        for (const QByteArray &piece : pieces) {
            kept += piece;
            t.update();
            const QList<Line> lines = linesOf(kept);
            QCOMPARE(t.lines().lineCount(), lines.size());
            for (qint64 n = 0; n < lines.size(); ++n) {
                const LineIndex::Line l = t.lines().line(n);
                QCOMPARE(QList<qint64>({l.begin, l.end, l.next}),
                         QList<qint64>({lines[n].begin, lines[n].end, lines[n].next}));
                QCOMPARE(t.lines().lineOf(l.begin), n);
                QCOMPARE(t.lines().lineOf(l.next - (l.next > l.end ? 1 : 0)), n);
            }
        }
        t.setEnded(true);
        QCOMPARE(t.text(0, t.size()), text);
        QString byLines;
        for (qint64 n = 0; n < t.lines().lineCount(); ++n) {
            const LineIndex::Line l = t.lines().line(n);
            const ResponseText::Piece p = t.piece(l.begin, l.end);
            QCOMPARE(p.text, t.text(l.begin, l.end));
            // Every character begins at a boundary, and the text cut there reads the same.
            for (qsizetype i = 0; i < p.text.size(); i += qMax<qsizetype>(1, p.text.size() / 50)) {
                const qint64 at = l.begin + p.byteAt(i);
                if (!p.text[i].isLowSurrogate())
                    QCOMPARE(t.boundaryAtOrBefore(at), at);
                QCOMPARE(t.text(l.begin, at) + t.text(at, l.end), p.text);
            }
            byLines += t.text(l.begin, l.next);
        }
        QCOMPARE(byLines, text);
        // Every long line that has ended is listed, and nothing else.
        QList<qint64> listed, expected;
        for (const LineIndex::LongLineEntry &e : t.lines().longLines())
            listed << e.begin;
        for (qint64 n = 0; n + 1 < t.lines().lineCount(); ++n) {
            if (t.lines().line(n).length() >= LineIndex::LongLine)
                expected << t.lines().line(n).begin;
        }
        QCOMPARE(listed, expected);
    }

    void aFloodOfLineEndsIsALineEach_data()
    {
        QTest::addColumn<char>("byte");
        QTest::newRow("lone CR") << '\r';
        QTest::newRow("lone LF") << '\n';
    }
    void aFloodOfLineEndsIsALineEach()
    {
        QFETCH(char, byte);
        const QByteArray kept(4 << 20, byte);
        ResponseText t;
        t.attach(&kept);
        t.update();
        QCOMPARE(t.lines().lineCount(), kept.size() + 1);
        const LineIndex::Line l = t.lines().line(3000000);
        QCOMPARE(QList<qint64>({l.begin, l.end, l.next}), QList<qint64>({3000000, 3000000, 3000001}));
        QCOMPARE(t.lines().lineOf(3000000), 3000000);
    }
};

QTEST_MAIN(ResponseTextTest)
#include "tst_responsetext.moc"
