// Two responses compared line by line, each in its own encoding.
#include "core/ResponseDiff.h"
#include "core/TextCodec.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using ResponseDiff::Row;

class TstResponseDiff : public QObject
{
    Q_OBJECT

private slots:
    void compare_data()
    {
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<QString>("leftEncoding");
        QTest::addColumn<QByteArray>("right");
        QTest::addColumn<QString>("ignored");
        QTest::addColumn<QString>("kinds"); // one letter a row: = same, ~ changed, - removed, + added, i ignored
        const QByteArray http = "HTTP/1.1 200 OK\r\nDate: Mon\r\n\r\n<a>1</a>\r\n";
        QTest::newRow("same") << http << "UTF-8" << http << ""
                              << "====";
        QTest::newRow("a changed line") << http << "UTF-8"
                                        << "HTTP/1.1 200 OK\r\nDate: Mon\r\n\r\n<a>2</a>\r\n"_qba
                                        << ""
                                        << "===~";
        QTest::newRow("a line end alone") << http << "UTF-8"
                                          << "HTTP/1.1 200 OK\r\nDate: Mon\r\n\r\n<a>1</a>\n"_qba
                                          << ""
                                          << "===~";
        QTest::newRow("a header that may differ") << http << "UTF-8"
                                                  << "HTTP/1.1 200 OK\r\ndate: Tue\r\n\r\n<a>1</a>\r\n"_qba
                                                  << "Set-Cookie, Date"
                                                  << "=i==";
        QTest::newRow("the same name in the body counts") << "HTTP/1.1 200 OK\r\n\r\nDate: 1\r\n"_qba
                                                          << "UTF-8"
                                                          << "HTTP/1.1 200 OK\r\n\r\nDate: 2\r\n"_qba
                                                          << "Date"
                                                          << "==~";
        QTest::newRow("added and removed") << "a\nb\nc\n"_qba
                                           << "UTF-8"
                                           << "a\nc\nd\n"_qba
                                           << ""
                                           << "=-=+";
        QTest::newRow("each in its own encoding")
            << TextCodec::encode(u"<名前>山田</名前>\r\n", u"Shift_JIS"_s) << "Shift_JIS"
            << "<名前>山田</名前>\r\n"_ba
            << ""
            << "=";
    }
    void compare()
    {
        QFETCH(QByteArray, left);
        QFETCH(QString, leftEncoding);
        QFETCH(QByteArray, right);
        QFETCH(QString, ignored);
        QFETCH(QString, kinds);
        ResponseDiff::Options o;
        o.ignoredHeaders = ignored.split(u',', Qt::SkipEmptyParts);
        const ResponseDiff::Result r = ResponseDiff::compare(left, leftEncoding, right, u"UTF-8"_s, o);
        QString got;
        for (const Row &row : r.rows)
            got += QStringLiteral("=~-+i").at(int(row.kind));
        QCOMPARE(got, kinds);
        // A difference is a run of rows that differ.
        QCOMPARE(r.differences.size(), kinds.split(QRegularExpression(u"[=i]+"_s), Qt::SkipEmptyParts).size());
    }

    // Past the size limit the first part is compared; past the time limit the
    // rest is paired line by line, and every row still says what differs.
    void bounds()
    {
        QByteArray a, b;
        for (int i = 0; i < 20000; ++i) {
            a += QByteArray::number(i) + "\n";
            b += "x" + QByteArray::number(i % 1000) + "\n";
        }
        ResponseDiff::Options o;
        o.timeLimitMs = 0;
        o.maxBytes = a.size() - 10;
        const ResponseDiff::Result r = ResponseDiff::compare(a, u"UTF-8"_s, b, u"UTF-8"_s, o);
        QVERIFY(r.left.cut && !r.right.cut && r.alignmentCut);
        for (const Row &row : r.rows)
            if (row.kind == Row::Same)
                QCOMPARE(r.left.line(row.left), r.right.line(row.right));
    }

    void changedCharacters()
    {
        const ResponseDiff::Spans s = ResponseDiff::changedCharacters(u"<id>1234</id>", u"<id>1294</id>x");
        QCOMPARE(s.left, (QList<QPair<qint32, qint32>>{{6, 1}}));
        QCOMPARE(s.right, (QList<QPair<qint32, qint32>>{{6, 1}, {13, 1}}));
    }
};

QTEST_GUILESS_MAIN(TstResponseDiff)
#include "tst_responsediff.moc"
