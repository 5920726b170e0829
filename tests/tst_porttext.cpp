// The port as typed becomes a number, or the failure the user is shown.
#include "core/PortText.h"

#include <QTest>

class PortTextTest : public QObject
{
    Q_OBJECT
private slots:
    void toInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("failure"); // 0: none, the result holds
        QTest::newRow("plain") << "8080" << 8080 << 0;
        QTest::newRow("blanks and a sign") << " +80 " << 80 << 0;
        QTest::newRow("leading zeros") << "0080" << 80 << 0;
        QTest::newRow("negative converts, the socket refuses it") << "-1" << -1 << 0;
        QTest::newRow("letters") << "80a" << 0 << 101;
        QTest::newRow("sign alone") << "+" << 0 << 101;
        QTest::newRow("blank inside") << "8 0" << 0 << 101;
        QTest::newRow("full-width digits") << "８０" << 0 << 101;
        QTest::newRow("past 32 bits") << "99999999999" << 0 << 102;
    }
    void toInt()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QFETCH(int, failure);
        try {
            const qint32 port = PortText::toInt(text);
            QCOMPARE(failure, 0);
            QCOMPARE(port, result);
        } catch (const Failure &f) {
            QCOMPARE(f.number, failure);
            QVERIFY(!f.description.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(PortTextTest)
#include "tst_porttext.moc"
