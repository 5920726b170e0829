// Finding text or bytes in kept bytes, a slice at a time.
#include "core/ByteSearch.h"

#include <QSignalSpy>
#include <QTest>

using Positions = QList<qint64>;

class SearchTest : public QObject
{
    Q_OBJECT
private slots:
    // The needle is given as bytes in the encoding, as it would be typed.
    void findsCharactersNotBytes_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("needle");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<Positions>("found");
        QTest::newRow("UTF-8 without case")
            << "UTF-8" << QByteArray("Fault fAULT faul\xC3\xA9") << QByteArray("fault") << false << Positions{0, 6};
        QTest::newRow("UTF-8 with case") << "UTF-8" << QByteArray("Fault fault") << QByteArray("fault") << true
                                         << Positions{6};
        QTest::newRow("UTF-8 kanji") << "UTF-8" << QByteArray("\xE5\xBF\x9C\xE7\xAD\x94\xE5\xBF\x9C")
                                     << QByteArray("\xE5\xBF\x9C") << true << Positions{0, 6};
        QTest::newRow("not overlapping") << "ISO-8859-1" << QByteArray("aaaaa") << QByteArray("aa") << true
                                         << Positions{0, 2};
        // ア is 0x83 0x41: its second byte is no "A", with or without case.
        QTest::newRow("Shift_JIS second byte is no letter") << "Shift_JIS"
                                                            << QByteArray("\x83\x41"
                                                                          "a\x83\x61"
                                                                          "A")
                                                            << QByteArray("a") << false << Positions{2, 5};
        // ヨ鰹 is 83 88 9F 40: 88 9F (亜) lies across the two.
        QTest::newRow("Shift_JIS across two characters")
            << "Shift_JIS" << QByteArray("\x83\x88\x9F\x40\x88\x9F") << QByteArray("\x88\x9F") << true << Positions{4};
        QTest::newRow("Shift_JIS half-width kana")
            << "Shift_JIS" << QByteArray("\xB1\xB2\x83\xB1\xB2") << QByteArray("\xB1\xB2") << true << Positions{0};
        // あい is A4A2 A4A4: A2 A4 lies across them.
        QTest::newRow("EUC-JP across two characters")
            << "EUC-JP" << QByteArray("\xA4\xA2\xA4\xA4 \xA2\xA4") << QByteArray("\xA2\xA4") << true << Positions{5};
        QTest::newRow("EUC-JP half-width kana")
            << "EUC-JP" << QByteArray("\x8E\xB1\x8E\xB1") << QByteArray("\x8E\xB1") << true << Positions{0, 2};
        // 応答 is ESC $ B 1~Ez ESC ( B: "Ez" as ASCII only outside, 答 only inside and in step.
        QTest::newRow("ISO-2022-JP ASCII")
            << "ISO-2022-JP" << QByteArray("\x1B$B1~Ez\x1B(BEz ez") << QByteArray("ez") << false << Positions{10, 13};
        QTest::newRow("ISO-2022-JP two-byte") << "ISO-2022-JP" << QByteArray("\x1B$B~E1~Ez\x1B(BEz")
                                              << QByteArray("\x1B$BEz\x1B(B") << true << Positions{7};
        QTest::newRow("ISO-2022-JP into two-byte")
            << "ISO-2022-JP" << QByteArray("a1\x1B$B;~\x1B(B") << QByteArray("1\x1B$B;~\x1B(B") << true << Positions{1};
        QTest::newRow("wave dash as typed") << "Shift_JIS"
                                            << QByteArray("10\x81\x60"
                                                          "12")
                                            << QByteArray("\x81\x60") << true << Positions{2};
    }
    void findsCharactersNotBytes()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, needle);
        QFETCH(bool, caseSensitive);
        QFETCH(Positions, found);
        StreamDecoder d(encoding);
        QString text = d.decode(needle) + d.finish();
        text.replace(QChar(0xFF5E), QChar(0x301C)); // typed by an input method
        const SearchPattern p = SearchPattern::forText(text, encoding, caseSensitive);
        QVERIFY2(p.isValid(), qPrintable(p.error));
        // Slices of every size put matches across their edges.
        for (qint64 slice : {qint64(1), qint64(2), qint64(3), qint64(1) << 20}) {
            ByteSearch s;
            s.setSliceBytes(slice);
            QSignalSpy done(&s, &ByteSearch::finished);
            s.start(&bytes, p);
            QVERIFY(done.wait(5000));
            Positions got;
            for (const ByteSearch::Match &m : s.matches())
                got << m.first;
            QCOMPARE(got, found);
            QCOMPARE(s.count(), found.size());
        }
    }

    void hex_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QByteArray>("needle"); // empty: refused
        QTest::newRow("pairs") << "0d 0a" << QByteArray("\r\n");
        QTest::newRow("run and prefixes") << "0x0D,0x0a 00ff" << QByteArray("\r\n\0\xFF", 4);
        QTest::newRow("odd") << "0d 0" << QByteArray();
        QTest::newRow("not hex") << "0g" << QByteArray();
        QTest::newRow("full-width digits") << "０１" << QByteArray();
    }
    void hex()
    {
        QFETCH(QString, hex);
        QFETCH(QByteArray, needle);
        const SearchPattern p = SearchPattern::forHex(hex);
        QCOMPARE(p.needle, needle);
        QCOMPARE(p.error.isEmpty(), !needle.isEmpty());
    }

    // A response still arriving: a match across the old end is found once the rest is there.
    void goesOnAsTheBytesGrow()
    {
        QByteArray bytes("xx</Fau");
        ByteSearch s;
        QSignalSpy done(&s, &ByteSearch::finished);
        s.start(&bytes, SearchPattern::forText(QStringLiteral("</Fault>"), QStringLiteral("UTF-8"), true));
        QVERIFY(done.wait(5000));
        QCOMPARE(s.count(), 0);
        bytes += "lt></Fault>";
        s.more();
        QVERIFY(done.wait(5000));
        QCOMPARE(s.matches(), (QList<ByteSearch::Match>{{2, 10}, {10, 18}}));
    }

    void keepsPositionsUpToALimit()
    {
        const QByteArray bytes(ByteSearch::MaxKept + 10, 'a');
        ByteSearch s;
        s.start(&bytes, SearchPattern::forHex(QStringLiteral("61")));
        s.finish();
        QCOMPARE(s.count(), ByteSearch::MaxKept + 10);
        QCOMPARE(s.matches().size(), ByteSearch::MaxKept);
    }

    void text()
    {
        ByteSearch s;
        s.setSliceBytes(2);
        QSignalSpy done(&s, &ByteSearch::finished);
        s.start(QStringLiteral("Äpfel äpfel ÄPFEL"), QStringLiteral("äpfel"), Qt::CaseInsensitive);
        QVERIFY(done.wait(5000));
        QCOMPARE(s.matches(), (QList<ByteSearch::Match>{{0, 5}, {6, 11}, {12, 17}}));
    }
};

QTEST_GUILESS_MAIN(SearchTest)
#include "tst_search.moc"
