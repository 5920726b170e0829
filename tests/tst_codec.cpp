// Text encodings on the wire: decoding in pieces and encoding the request.
#include "core/TextCodec.h"
#include "core/FailureNumber.h"

#include <QtTest>

class CodecTest : public QObject
{
    Q_OBJECT
private slots:
    void decodesInAnyPieces_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // 応答 (answer) with a line end, in each encoding; ～① only in code page 932.
        QTest::newRow("UTF-8") << "UTF-8" << QByteArray("\xE5\xBF\x9C\xE7\xAD\x94\r\n") << "応答\r\n";
        QTest::newRow("Shift_JIS") << "Shift_JIS" << QByteArray("\x89\x9E\x93\x9A\x81\x60\x87\x40\r\n") << "応答～①\r\n";
        QTest::newRow("EUC-JP") << "EUC-JP" << QByteArray("\xB1\xFE\xC5\xFA\r\n") << "応答\r\n";
        QTest::newRow("ISO-2022-JP") << "ISO-2022-JP" << QByteArray("\x1B$B1~Ez\x1B(B\r\n") << "応答\r\n";
        QTest::newRow("byte-order mark is content") << "UTF-8" << QByteArray("\xEF\xBB\xBFx\xEF\xBB\xBF")
                                                    << QChar(0xFEFF) + QStringLiteral("x") + QChar(0xFEFF);
        // Invalid bytes never cut the text, nor become anything but U+FFFD.
        QTest::newRow("UTF-8 invalid") << "UTF-8" << QByteArray("a\xFF" "b\xC3") << "a\uFFFDb\uFFFD";
        QTest::newRow("UTF-8 unfinished before a line end") << "UTF-8" << QByteArray("a\xE3\x81\r\nb")
                                                            << "a\uFFFD\uFFFD\r\nb";
        QTest::newRow("Shift_JIS invalid") << "Shift_JIS" << QByteArray("a\xFF" "b") << "a\uFFFDb";
        QTest::newRow("Shift_JIS unfinished at the end") << "Shift_JIS" << QByteArray("b\x82") << "b\uFFFD";
        QTest::newRow("EUC-JP unfinished at the end") << "EUC-JP" << QByteArray("b\xB1") << "b\uFFFD";
        QTest::newRow("ISO-2022-JP unfinished at the end") << "ISO-2022-JP" << QByteArray("a\x1B$B1") << "a\uFFFD";
        QTest::newRow("EUC-JP invalid") << "EUC-JP" << QByteArray("a\xFF" "b") << "a\uFFFDb";
    }
    void decodesInAnyPieces()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        for (qsizetype piece : {qsizetype(1), qsizetype(2), qsizetype(3), bytes.size()}) {
            StreamDecoder d(encoding);
            QString got;
            for (qsizetype i = 0; i < bytes.size(); i += piece)
                got += d.decode(bytes.mid(i, piece));
            got += d.finish();
            QCOMPARE(got, text);
        }
    }

    void encodesOrNamesTheCharacter_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // empty: fails
        QTest::addColumn<QString>("named");    // what the failure names
        QTest::newRow("Shift_JIS") << "Shift_JIS" << "応答\r\n" << QByteArray("\x89\x9E\x93\x9A\r\n") << "";
        QTest::newRow("ISO-2022-JP back to ASCII") << "ISO-2022-JP" << "応答\r\n" << QByteArray("\x1B$B1~Ez\x1B(B\r\n")
                                                   << "";
        QTest::newRow("emoji in Shift_JIS") << "Shift_JIS" << "ab\r\ncd\nx😀" << QByteArray() << "3 行 2 桁目の文字「😀」";
        QTest::newRow("wave dash is not in code page 932") << "Shift_JIS" << "a〜" << QByteArray() << "1 行 2 桁目";
        QTest::newRow("kana in Latin-1") << "ISO-8859-1" << "xあ" << QByteArray() << "「あ」(U+3042)";
    }
    void encodesOrNamesTheCharacter()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        try {
            QCOMPARE(TextCodec::encode(text, encoding), bytes);
            QVERIFY(named.isEmpty());
        } catch (const Failure &f) {
            QCOMPARE(f.number, FailureNumber::Unencodable);
            QVERIFY2(!named.isEmpty() && f.description.contains(named), qPrintable(f.description));
        }
    }

    void names_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("charset");
        QTest::newRow("case and blanks") << " shift_jis" << "Shift_JIS" << "Shift_JIS";
        QTest::newRow("unknown") << "KOI8-R" << "UTF-8" << "";
        QTest::newRow("a server's alias") << "windows-31j" << "UTF-8" << "Shift_JIS";
    }
    void names()
    {
        QFETCH(QString, given);
        QFETCH(QString, stored);
        QFETCH(QString, charset);
        QCOMPARE(TextCodec::normalized(given), stored);
        QCOMPARE(TextCodec::known(given), charset);
    }
};

QTEST_GUILESS_MAIN(CodecTest)
#include "tst_codec.moc"
