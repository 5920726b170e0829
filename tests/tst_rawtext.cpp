// The panes give back exactly what they were given, line ends included.
#include "core/TextCodec.h"
#include "gui/RawText.h"
#include "gui/RawTextPane.h"

#include <QClipboard>

#include <QTest>

class RawTextTest : public QObject
{
    Q_OBJECT
private slots:
    void roundTripInPieces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("mixed line ends") << QByteArray("a\r\nb\rc\nd\r\n\r\n\n\r");
        QTest::newRow("no final line end") << QByteArray("HTTP/1.1 200 OK\r\nX: y\r\n\r\nbody");
        QTest::newRow("CR LF split by every cut") << QByteArray("\r\n\r\n\r\r\n\n");
        QTest::newRow("NUL and nbsp") << QByteArray("a\0b\xC2\xA0"
                                                    "c\0",
                                                    7);
        QTest::newRow("Japanese split mid-character") << QByteArray("応答\r\nメッセージ\r");
        QTest::newRow("four-byte characters") << QByteArray("\xF0\x9F\x98\x80x\xF0\x9F\x98\x81");
        QTest::newRow("separators Qt splits blocks at")
            << QByteArray("p\xE2\x80\xA9q\xEF\xB7\x90r\xEF\xB7\x91s\xE2\x80\xA8t");
    }
    void roundTripInPieces()
    {
        QFETCH(QByteArray, bytes);
        const QString expected = QString::fromUtf8(bytes);
        // Every cut position, including inside multi-byte characters and between CR and LF.
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            RawTextPane pane;
            StreamDecoder decoder;
            pane.appendRaw(decoder.decode(bytes.left(cut)));
            pane.appendRaw(decoder.decode(bytes.mid(cut)));
            pane.appendRaw(decoder.finish());
            QCOMPARE(pane.rawText(), expected);
            QCOMPARE(pane.rawText().toUtf8(), bytes);
        }
    }

    void longLineIsCutIntoBlocksButReadsAsOne()
    {
        const QString line = QString(RawText::MaxBlock * 2 + 7, QLatin1Char('x')) + QStringLiteral("\r\nend");
        RawTextPane pane;
        pane.appendRaw(line.left(RawText::MaxBlock - 3));
        pane.appendRaw(line.mid(RawText::MaxBlock - 3));
        QVERIFY(pane.document()->blockCount() > 3);
        QCOMPARE(pane.rawText(), line);
        pane.selectAll();
        pane.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString(line).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void typedLineBreakIsCrLf()
    {
        // A loaded request whose line holds a lone LF; the user then breaks a line.
        RawTextPane pane;
        pane.setRawText(QStringLiteral("ab\ncd\r\n"));
        QTextCursor c = pane.textCursor();
        c.setPosition(1); // between a and b
        pane.setTextCursor(c);
        QTest::keyClick(&pane, Qt::Key_Return);
        QCOMPARE(pane.rawText(), QStringLiteral("a\r\nb\ncd\r\n"));
        QTest::keyClick(&pane, Qt::Key_Backspace);
        QCOMPARE(pane.rawText(), QStringLiteral("ab\ncd\r\n"));
        c.setPosition(2); // end of "ab": Delete joins the lines over the lone LF
        pane.setTextCursor(c);
        QTest::keyClick(&pane, Qt::Key_Delete);
        QCOMPARE(pane.rawText(), QStringLiteral("abcd\r\n"));
    }
};

QTEST_MAIN(RawTextTest)
#include "tst_rawtext.moc"
