// The port as typed becomes a number, or the failure the user is shown.
#include "core/PortText.h"

#include <QtTest>

class PortTextTest : public QObject
{
    Q_OBJECT
private slots:
    void toInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result"); // the port, or minus the failure number
        QTest::newRow("plain") << "8080" << 8080;
        QTest::newRow("blanks and a sign") << " +80 " << 80;
        QTest::newRow("leading zeros") << "0080" << 80;
        QTest::newRow("negative converts, the socket refuses it") << "-1" << -1;
        QTest::newRow("letters") << "80a" << -101;
        QTest::newRow("sign alone") << "+" << -101;
        QTest::newRow("blank inside") << "8 0" << -101;
        QTest::newRow("full-width digits") << "８０" << -101;
        QTest::newRow("past 32 bits") << "99999999999" << -102;
    }
    void toInt()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        try {
            QCOMPARE(PortText::toInt(text), result);
        } catch (const Failure &f) {
            QCOMPARE(-f.number, result);
            QVERIFY(!f.description.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(PortTextTest)
#include "tst_porttext.moc"
