#include "core/ContentLength.h"
#include "core/HttpFraming.h"
#include "core/LineEndCount.h"

#include <QStringEncoder>
#include <QtTest>

using Problem = HttpDiagnosis::Problem;
using Amount = HttpDiagnosis::Amount;

class HttpTest : public QObject
{
    Q_OBJECT
private slots:
    void framing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("head");
        QTest::addColumn<bool>("http");
        QTest::addColumn<qint64>("completeAt"); // -1: never complete
        QTest::addColumn<qint64>("headerBytes");
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("problem"); // -1: none expected

        const QByteArray len5 = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n";
        const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        const QByteArray cont = "HTTP/1.1 100 Continue\r\n\r\n";
        const qint64 h5 = len5.size();
        const qint64 hc = chunked.size();
        const int exact = int(Amount::Exact), shortBody = int(Amount::Short), longer = int(Amount::Longer),
                  unknown = int(Amount::Unknown);
        auto bad = [](Problem p) { return int(p); };

        QTest::newRow("length exact") << len5 + "hello" << false << true << h5 + 5 << h5 << exact << -1;
        QTest::newRow("length short") << len5 + "hel" << false << true << qint64(-1) << h5 << shortBody << -1;
        QTest::newRow("length long") << len5 + "hello!!" << false << true << h5 + 5 << h5 << longer << -1;
        const QByteArray lf = "HTTP/1.0 200 OK\nContent-Length: 0\n\n";
        QTest::newRow("zero length, lone LF") << lf << false << true << qint64(lf.size()) << qint64(lf.size()) << exact << -1;
        const QByteArray list = "HTTP/1.1 200 OK\r\ncontent-length: 2, 2\r\n\r\nab";
        QTest::newRow("equal values listed") << list << false << true << qint64(list.size()) << list.size() - 2 << exact << -1;
        const QByteArray c1 = chunked + "5\r\nhello\r\n0\r\n\r\n";
        QTest::newRow("chunked complete") << c1 << false << true << qint64(c1.size()) << hc << exact << -1;
        const QByteArray c2 = chunked + "5;x=y\r\nhello\r\nA\r\n0123456789\r\n0\r\nX-Sum: 1\r\n\r\n";
        QTest::newRow("chunked with trailers") << c2 << false << true << qint64(c2.size()) << hc << exact << -1;
        QTest::newRow("chunked then more") << c1 + "HTTP" << false << true << qint64(c1.size()) << hc << longer << -1;
        QTest::newRow("chunked no last chunk") << chunked + "5\r\nhello\r\n" << false << true << qint64(-1) << hc
                                     << shortBody << -1;
        QTest::newRow("chunked trailers open") << chunked + "5\r\nhello\r\n0\r\n" << false << true << qint64(-1) << hc
                                     << shortBody << -1;
        const QByteArray both = "HTTP/1.1 200 OK\r\nContent-Length: 3\r\ntransfer-encoding: gzip, Chunked\r\n\r\n"
                                "5\r\nhello\r\n0\r\n\r\n";
        QTest::newRow("chunked wins over length") << both << false << true << qint64(both.size()) << both.size() - 15
                                        << exact << bad(Problem::LengthIgnored);
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Length: 120\r\n\r\n";
        QTest::newRow("HEAD") << head << true << true << qint64(head.size()) << qint64(head.size()) << exact << -1;
        QTest::newRow("100 then 200") << cont + len5 + "hello" << false << true << cont.size() + h5 + 5 << cont.size() + h5
                            << exact << -1;
        const QByteArray none = "HTTP/1.1 204 No Content\r\n\r\n";
        QTest::newRow("204") << none << false << true << qint64(none.size()) << qint64(none.size()) << exact << -1;
        const QByteArray notMod = "HTTP/1.1 304 Not Modified\r\nContent-Length: 50\r\n\r\n";
        QTest::newRow("304 with length") << notMod + "x" << false << true << qint64(notMod.size()) << qint64(notMod.size())
                               << longer << -1;
        const QByteArray plain = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";
        QTest::newRow("close framed") << plain + "body" << false << true << qint64(-1) << qint64(plain.size()) << unknown
                            << -1;
        QTest::newRow("length text") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1O\r\n\r\n10 bytes..") << false
                           << true << qint64(-1) << qint64(-1) << unknown << bad(Problem::ContentLengthNotNumber);
        QTest::newRow("length negative") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n") << false << true
                               << qint64(-1) << qint64(-1) << unknown << bad(Problem::ContentLengthNegative);
        QTest::newRow("length 2^53 + 1") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 9007199254740993\r\n\r\nx")
                               << false << true << qint64(-1) << qint64(-1) << unknown
                               << bad(Problem::ContentLengthTooLarge);
        QTest::newRow("length overflow") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\n")
                               << false << true << qint64(-1) << qint64(-1) << unknown
                               << bad(Problem::ContentLengthTooLarge);
        QTest::newRow("lengths differ") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\nhello!")
                              << false << true << qint64(-1) << qint64(-1) << unknown
                              << bad(Problem::ContentLengthConflict);
        QTest::newRow("chunk size not hex") << chunked + "zz\r\nhello\r\n0\r\n\r\n" << false << true << qint64(-1) << hc
                                  << unknown << bad(Problem::ChunkSizeBad);
        QTest::newRow("chunk size enormous") << chunked + "fffffffffffffffffff\r\nhello" << false << true << qint64(-1) << hc
                                   << unknown << bad(Problem::ChunkSizeTooLarge);
        QTest::newRow("chunk data overruns") << chunked + "5\r\nhello!\r\n0\r\n\r\n" << false << true << qint64(-1) << hc
                                   << unknown << bad(Problem::ChunkEndBad);
        QTest::newRow("header without end") << "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(70000, 'a') << false << true
                                  << qint64(-1) << qint64(-1) << unknown << bad(Problem::HeaderTooLong);
        QTest::newRow("garbage after 100") << cont + "<xml/>\r\n\r\n" << false << true << qint64(-1) << qint64(-1) << unknown
                                 << bad(Problem::StatusLineBad);
        QTest::newRow("not HTTP") << QByteArray("<soap:Envelope/>\r\n") << false << false << qint64(-1) << qint64(0)
                        << unknown << -1;
        QTest::newRow("HTTP/2") << QByteArray("HTTP/2 200\r\n\r\n") << false << false << qint64(-1) << qint64(0) << unknown
                      << -1;
        QTest::newRow("too short to tell") << QByteArray("HTTP/1.1 20") << false << false << qint64(-1) << qint64(-1)
                                 << unknown << -1;
    }
    void framing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, head);
        QFETCH(bool, http);
        QFETCH(qint64, completeAt);
        QFETCH(qint64, headerBytes);
        QFETCH(int, amount);
        QFETCH(int, problem);
        // Whole, byte by byte, and in pieces that cut every line end somewhere.
        for (const qsizetype step : {bytes.size(), qsizetype(1), qsizetype(7)}) {
            HttpFraming f;
            f.reset(head);
            for (qsizetype i = 0; i < bytes.size(); i += step)
                f.feed(QByteArrayView(bytes).sliced(i, qMin(step, bytes.size() - i)));
            const HttpDiagnosis d = f.diagnosis();
            QCOMPARE(f.isHttp(), http);
            QCOMPARE(f.finalResponseComplete(), completeAt >= 0);
            QCOMPARE(f.completeAt(), completeAt);
            if (headerBytes >= 0) {
                QCOMPARE(f.headerBytes(), headerBytes);
                QCOMPARE(f.bodyBytes(), http ? bytes.size() - headerBytes : 0);
            }
            QCOMPARE(int(d.amount), amount);
            if (problem < 0)
                QCOMPARE(d.problems, QList<Problem>{});
            else
                QVERIFY(d.problems.contains(Problem(problem)));
            QVERIFY(!f.describe(true).isEmpty());
        }
    }

    void charset_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("charset");
        QTest::newRow("quoted") << QByteArray("text/xml; charset=\"Shift_JIS\"") << "Shift_JIS";
        QTest::newRow("bare, later parameter") << QByteArray("application/soap+xml;action=x;Charset=utf-8")
                                               << "utf-8";
        QTest::newRow("none") << QByteArray("text/xml") << "";
    }
    void charset()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QString, charset);
        HttpFraming f;
        f.reset(false);
        f.feed("HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\n\r\n");
        QCOMPARE(f.diagnosis().charset, charset);
    }

    void contentLength_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<bool>("applicable");
        QTest::addColumn<QString>("expected");
        const QString jp = QStringLiteral("POST /s HTTP/1.1\r\nContent-Length: 1\r\n\r\nあいう");
        QTest::newRow("UTF-8, 3 bytes a character") << jp << QByteArray("UTF-8") << true
                                                    << QString(jp).replace(": 1\r", ": 9\r");
        QTest::newRow("Shift_JIS, 2 bytes a character") << jp << QByteArray("Shift_JIS") << true
                                                        << QString(jp).replace(": 1\r", ": 6\r");
        QTest::newRow("absent, CR LF") << "POST / HTTP/1.1\r\nHost: a\r\n\r\n<a>é</a>" << QByteArray("UTF-8") << true
                                       << "POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 9\r\n\r\n<a>é</a>";
        QTest::newRow("absent, LF") << "POST / HTTP/1.1\nHost: a\n\nabc" << QByteArray("UTF-8") << true
                                    << "POST / HTTP/1.1\nHost: a\nContent-Length: 3\n\nabc";
        QTest::newRow("absent, CR") << "POST / HTTP/1.1\rHost: a\r\rabc" << QByteArray("UTF-8") << true
                                    << "POST / HTTP/1.1\rHost: a\rContent-Length: 3\r\rabc";
        QTest::newRow("absent, mixed") << "POST / HTTP/1.1\r\nHost: a\n\r\nabc" << QByteArray("UTF-8") << true
                                       << "POST / HTTP/1.1\r\nHost: a\nContent-Length: 3\n\r\nabc";
        QTest::newRow("request line is no header") << "Content-Length: 2\r\n\r\nab" << QByteArray("UTF-8") << true
                                                   << "Content-Length: 2\r\nContent-Length: 2\r\n\r\nab";
        QTest::newRow("blanks around value") << "P / H\r\nContent-Length:  10  \r\n\r\nabc" << QByteArray("UTF-8")
                                             << true << "P / H\r\nContent-Length:  3  \r\n\r\nabc";
        QTest::newRow("duplicated") << "P / H\r\ncontent-length: 10\r\nHost: a\r\nContent-Length: 1\r\n\r\nabc"
                                    << QByteArray("UTF-8") << true << "P / H\r\ncontent-length: 3\r\nHost: a\r\n\r\nabc";
        QTest::newRow("empty lines in body") << "P / H\r\nContent-Length: 0\r\n\r\na\r\n\r\nb" << QByteArray("UTF-8")
                                             << true << "P / H\r\nContent-Length: 6\r\n\r\na\r\n\r\nb";
        QTest::newRow("already right") << "P / H\r\nContent-Length: 3\r\n\r\nabc" << QByteArray("UTF-8") << true
                                       << "P / H\r\nContent-Length: 3\r\n\r\nabc";
        QTest::newRow("no body") << "P / H\r\nContent-Length: 5\r\n\r\n" << QByteArray("UTF-8") << false
                                 << "P / H\r\nContent-Length: 5\r\n\r\n";
        QTest::newRow("Transfer-Encoding") << "P / H\r\nTransfer-Encoding: chunked\r\n\r\n1\r\na\r\n0\r\n\r\n"
                                           << QByteArray("UTF-8") << false
                                           << "P / H\r\nTransfer-Encoding: chunked\r\n\r\n1\r\na\r\n0\r\n\r\n";
        QTest::newRow("no empty line") << "P / H\r\nHost: a\r\n" << QByteArray("UTF-8") << false
                                       << "P / H\r\nHost: a\r\n";
    }
    void contentLength()
    {
        QFETCH(QString, request);
        QFETCH(QByteArray, encoding);
        QFETCH(bool, applicable);
        QFETCH(QString, expected);
        QStringEncoder encoder(encoding.constData());
        QVERIFY(encoder.isValid());
        const auto r = ContentLength::fix(request, [&](QStringView body) { return qint64(QByteArray(encoder(body)).size()); });
        QCOMPARE(r.applicable, applicable);
        QCOMPARE(ContentLength::apply(request, r.edits), expected);
        QCOMPARE(r.edits.isEmpty(), expected == request);
        QVERIFY(!r.note.isEmpty());
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QList<qint64>>("counts"); // CR LF, LF, CR
        QTest::newRow("empty") << QByteArray() << QList<qint64>{0, 0, 0};
        QTest::newRow("one of each") << QByteArray("a\r\nb\nc\rd") << QList<qint64>{1, 1, 1};
        QTest::newRow("CR before CR LF") << QByteArray("\r\r\n\n\r") << QList<qint64>{1, 1, 2};
        QTest::newRow("LF CR is not a pair") << QByteArray("\n\r") << QList<qint64>{0, 1, 1};
    }
    void lineEnds()
    {
        QFETCH(QByteArray, wire);
        QFETCH(QList<qint64>, counts);
        const LineEndCount c = countLineEnds(wire);
        QCOMPARE((QList<qint64>{c.crlf, c.lf, c.cr}), counts);
    }
};

QTEST_GUILESS_MAIN(HttpTest)
#include "tst_http.moc"
