#include "core/DestinationHistory.h"

#include <QTest>

class HistoryTest : public QObject
{
    Q_OBJECT
private slots:
    void record_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("empty list") << QStringList{} << "a" << QStringList{"a"};
        QTest::newRow("new on three") << QStringList{"a", "b", "c"} << "d" << QStringList{"d", "a", "b", "c"};
        QTest::newRow("new on five drops fifth")
            << QStringList{"a", "b", "c", "d", "e"} << "f" << QStringList{"f", "a", "b", "c", "d"};
        QTest::newRow("middle to top") << QStringList{"a", "b", "c", "d", "e"} << "c"
                                       << QStringList{"c", "a", "b", "d", "e"};
        QTest::newRow("last to top") << QStringList{"a", "b", "c", "d", "e"} << "e"
                                     << QStringList{"e", "a", "b", "c", "d"};
        QTest::newRow("top stays") << QStringList{"a", "b"} << "a" << QStringList{"a", "b"};
        QTest::newRow("case differs") << QStringList{"Host"} << "host" << QStringList{"host", "Host"};
        QTest::newRow("blanks differ") << QStringList{"80"} << " 80" << QStringList{" 80", "80"};
        QTest::newRow("080 is not 80") << QStringList{"80"} << "080" << QStringList{"080", "80"};
        QTest::newRow("upper copy of a duplicate moves")
            << QStringList{"a", "x", "b", "x"} << "x" << QStringList{"x", "a", "b", "x"};
        QTest::newRow("empty entries move down like others")
            << QStringList{"", "", "", "", ""} << "h" << QStringList{"h", "", "", "", ""};
    }
    void record()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        QCOMPARE(DestinationHistory::record(before, text), after);
    }
};

QTEST_GUILESS_MAIN(HistoryTest)
#include "tst_history.moc"
