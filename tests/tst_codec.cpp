// Text encodings on the wire: decoding in pieces and encoding the request.
#include "core/FailureNumber.h"
#include "core/TextCodec.h"

#include <QTest>

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
        QTest::newRow("UTF-8 invalid") << "UTF-8"
                                       << QByteArray("a\xFF"
                                                     "b\xC3")
                                       << "a\uFFFDb\uFFFD";
        QTest::newRow("UTF-8 unfinished before a line end")
            << "UTF-8" << QByteArray("a\xE3\x81\r\nb") << "a\uFFFD\uFFFD\r\nb";
        QTest::newRow("Shift_JIS invalid") << "Shift_JIS"
                                           << QByteArray("a\xFF"
                                                         "b")
                                           << "a\uFFFDb";
        QTest::newRow("Shift_JIS unfinished at the end") << "Shift_JIS" << QByteArray("b\x82") << "b\uFFFD";
        QTest::newRow("EUC-JP unfinished at the end") << "EUC-JP" << QByteArray("b\xB1") << "b\uFFFD";
        QTest::newRow("ISO-2022-JP unfinished at the end") << "ISO-2022-JP" << QByteArray("a\x1B$B1") << "a\uFFFD";
        QTest::newRow("EUC-JP invalid") << "EUC-JP"
                                        << QByteArray("a\xFF"
                                                      "b")
                                        << "a\uFFFDb";
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
        QTest::addColumn<bool>("jisSymbols");
        QTest::addColumn<QByteArray>("bytes");            // empty: fails
        QTest::addColumn<QString>("named");               // what the failure names
        const QString family = QStringLiteral("〜‖−¢£¬"); // U+301C U+2016 U+2212 U+00A2 U+00A3 U+00AC
        QTest::newRow("Shift_JIS") << "Shift_JIS"
                                   << "応答\r\n"
                                   << true << QByteArray("\x89\x9E\x93\x9A\r\n") << "";
        QTest::newRow("ISO-2022-JP back to ASCII") << "ISO-2022-JP"
                                                   << "応答\r\n"
                                                   << true << QByteArray("\x1B$B1~Ez\x1B(B\r\n") << "";
        QTest::newRow("emoji in Shift_JIS") << "Shift_JIS"
                                            << "ab\r\ncd\nx😀" << true << QByteArray() << "3 行 2 桁目の文字「😀」";
        QTest::newRow("kana in Latin-1") << "ISO-8859-1"
                                         << "xあ" << true << QByteArray() << "「あ」(U+3042)";
        // The symbols input methods type go out as the codes of their JIS row.
        QTest::newRow("JIS symbols in Shift_JIS") << "Shift_JIS"
                                                  << "1〜2" + family << true
                                                  << QByteArray("1\x81\x60"
                                                                "2\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA")
                                                  << "";
        QTest::newRow("JIS symbols in EUC-JP")
            << "EUC-JP" << family << true << QByteArray("\xA1\xC1\xA1\xC2\xA1\xDD\xA1\xF1\xA1\xF2\xA2\xCC") << "";
        QTest::newRow("JIS symbols in ISO-2022-JP")
            << "ISO-2022-JP"
            << "10時〜12時" << true << QByteArray("10\x1B$B;~!A\x1B(B12\x1B$B;~\x1B(B") << "";
        QTest::newRow("JIS symbols option off") << "Shift_JIS"
                                                << "a〜" << false << QByteArray() << "1 行 2 桁目の文字「〜」";
        QTest::newRow("no such mapping in UTF-8") << "UTF-8"
                                                  << "〜" << true << QByteArray("\xE3\x80\x9C") << "";
        QTest::newRow("Latin-1 keeps its own ¢") << "ISO-8859-1"
                                                 << "¢" << true << QByteArray("\xA2") << "";
    }
    void encodesOrNamesTheCharacter()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, text);
        QFETCH(bool, jisSymbols);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        try {
            QCOMPARE(TextCodec::encode(text, encoding, {jisSymbols}), bytes);
            QVERIFY(named.isEmpty());
        } catch (const Failure &f) {
            QCOMPARE(f.number, FailureNumber::Unencodable);
            QVERIFY2(!named.isEmpty() && f.description.contains(named), qPrintable(f.description));
            QVERIFY(f.description.contains(u'「' + text.mid(f.at, 1)));
        }
    }

    // What Open decodes, Send and an edited Save encode back to the same bytes.
    void roundTrips_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        // Half-width ｱｲｳ, NEC ① and №, IBM 髙 and 﨑, ～ and ∥ as code page 932 has them.
        QTest::newRow("Shift_JIS") << "Shift_JIS"
                                   << QByteArray("\xB1\xB2\xB3\x87\x40\x87\x82\xFB\xFC\xFA\xB1\x81\x60\x81\x61\r\n");
        QTest::newRow("EUC-JP") << "EUC-JP" << QByteArray("\x8E\xB1\xA1\xC1\xB1\xFE\r\n");
    }
    void roundTrips()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, bytes);
        StreamDecoder d(encoding);
        const QString text = d.decode(bytes) + d.finish();
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        QCOMPARE(TextCodec::encode(text, encoding), bytes);
    }

    void names_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("charset");
        QTest::newRow("case and blanks") << " shift_jis"
                                         << "Shift_JIS"
                                         << "Shift_JIS";
        QTest::newRow("unknown") << "KOI8-R"
                                 << "UTF-8"
                                 << "";
        QTest::newRow("a server's alias") << "windows-31j"
                                          << "UTF-8"
                                          << "Shift_JIS";
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
