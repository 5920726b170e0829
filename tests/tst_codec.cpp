// Text encodings on the wire: decoding in pieces and encoding the request.
#include "core/TextCodec.h"

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
        // 応答 (answer) with a line end, in each encoding.
        QTest::newRow("UTF-8") << "UTF-8" << QByteArray("\xE5\xBF\x9C\xE7\xAD\x94\r\n") << "応答\r\n";
        QTest::newRow("Shift_JIS") << "Shift_JIS" << QByteArray("\x89\x9E\x93\x9A\r\n") << "応答\r\n";
        QTest::newRow("Shift_JIS as code page 932") << "Shift_JIS" << QByteArray("\x81\x60\x87\x40") << "～①";
        QTest::newRow("EUC-JP") << "EUC-JP" << QByteArray("\xB1\xFE\xC5\xFA\r\n") << "応答\r\n";
        QTest::newRow("ISO-2022-JP") << "ISO-2022-JP" << QByteArray("\x1B$B1~Ez\x1B(B\r\n") << "応答\r\n";
        QTest::newRow("ISO-8859-1") << "ISO-8859-1" << QByteArray("caf\xE9") << "café";
        QTest::newRow("byte-order mark is content") << "UTF-8" << QByteArray("\xEF\xBB\xBFx\xEF\xBB\xBF")
                                                    << QChar(0xFEFF) + QStringLiteral("x") + QChar(0xFEFF);
        QTest::newRow("NUL bytes") << "Shift_JIS" << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\u0000b", 3);
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

    void invalidBytesNeverCutTheText_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << "UTF-8" << QByteArray("a\xFF" "b\xC3");
        QTest::newRow("UTF-8 unfinished before a line end") << "UTF-8" << QByteArray("a\xE3\x81\r\nb");
        QTest::newRow("Shift_JIS") << "Shift_JIS" << QByteArray("a\xFF" "b\x82");
        QTest::newRow("EUC-JP") << "EUC-JP" << QByteArray("a\xFF" "b");
    }
    void invalidBytesNeverCutTheText()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, bytes);
        for (qsizetype piece : {qsizetype(1), bytes.size()}) {
            StreamDecoder d(encoding);
            QString got;
            for (qsizetype i = 0; i < bytes.size(); i += piece)
                got += d.decode(bytes.mid(i, piece));
            got += d.finish();
            QVERIFY2(got.startsWith(QLatin1Char('a')) && got.contains(QLatin1Char('b')), qPrintable(got));
            QVERIFY(got.contains(QChar::ReplacementCharacter));
            QVERIFY(!got.contains(QChar(0x1A)));
            QCOMPARE(got.count(QLatin1Char('\r')), bytes.count('\r'));
        }
    }

    void encodesOrNamesTheCharacter_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // empty: fails
        QTest::addColumn<QString>("named");    // what the failure names
        QTest::newRow("Shift_JIS") << "Shift_JIS" << "応答\r\n" << QByteArray("\x89\x9E\x93\x9A\r\n") << "";
        QTest::newRow("emoji in Shift_JIS") << "Shift_JIS" << "ab\r\ncd\nx😀" << QByteArray() << "3 行 2 桁目の文字「😀」";
        QTest::newRow("wave dash is not in code page 932") << "Shift_JIS" << "a〜" << QByteArray() << "1 行 2 桁目";
        QTest::newRow("kana in Latin-1") << "ISO-8859-1" << "xあ" << QByteArray() << "「あ」(U+3042)";
        QTest::newRow("ISO-2022-JP") << "ISO-2022-JP" << "応答" << QByteArray("\x1B$B1~Ez\x1B(B") << "";
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
            QCOMPARE(f.number, TextCodec::ErrUnencodable);
            QVERIFY2(!named.isEmpty() && f.description.contains(named), qPrintable(f.description));
        }
    }

    void names_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("charset");
        QTest::newRow("known") << "EUC-JP" << "EUC-JP" << "EUC-JP";
        QTest::newRow("case and blanks") << " shift_jis" << "Shift_JIS" << "Shift_JIS";
        QTest::newRow("unknown") << "KOI8-R" << "UTF-8" << "";
        QTest::newRow("empty") << "" << "UTF-8" << "";
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
