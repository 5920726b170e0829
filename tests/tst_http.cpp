#include "core/ContentLength.h"
#include "core/FramingVerdict.h"
#include "core/HttpFraming.h"
#include "core/LineEndCount.h"
#include "core/RequestShape.h"

#include <QStringEncoder>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

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
        QTest::addColumn<qint64>("completeAt"); // -1: never complete, 0: at the last byte
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("problem"); // -1: none expected
        const auto row = [](const char *name, const QByteArray &bytes, qint64 completeAt, Amount amount,
                            int problem = -1, bool head = false, bool http = true) {
            QTest::newRow(name) << bytes << head << http << completeAt << int(amount) << problem;
        };
        const qint64 never = -1, atEnd = 0;
        const QByteArray len5 = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n";
        const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        const QByteArray cont = "HTTP/1.1 100 Continue\r\n\r\n";
        const QByteArray notMod = "HTTP/1.1 304 Not Modified\r\nContent-Length: 50\r\n\r\n";
        const QByteArray len = "HTTP/1.1 200 OK\r\nContent-Length: ";

        row("length exact", len5 + "hello", len5.size() + 5, Amount::Exact);
        row("length short", len5 + "hel", never, Amount::Short);
        row("length long", len5 + "hello!!", len5.size() + 5, Amount::Longer);
        row("zero length, lone LF", "HTTP/1.0 200 OK\nContent-Length: 0\n\n", atEnd, Amount::Exact);
        row("chunked complete", chunked + "5\r\nhello\r\n0\r\n\r\n", atEnd, Amount::Exact);
        row("chunked with trailers", chunked + "5;x=y\r\nhello\r\nA\r\n0123456789\r\n0\r\nX-Sum: 1\r\n\r\n", atEnd,
            Amount::Exact);
        row("chunked no last chunk", chunked + "5\r\nhello\r\n", never, Amount::Short);
        row("chunked trailers open", chunked + "5\r\nhello\r\n0\r\n", never, Amount::Short);
        row("chunked wins over length", len + "3\r\ntransfer-encoding: gzip, Chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
            atEnd, Amount::Exact, int(Problem::LengthIgnored));
        row("HEAD", len + "120\r\n\r\n", atEnd, Amount::Exact, -1, true);
        row("100 then 200", cont + len5 + "hello", cont.size() + len5.size() + 5, Amount::Exact);
        row("204", "HTTP/1.1 204 No Content\r\n\r\n", atEnd, Amount::Exact);
        row("304 with length", notMod + "x", notMod.size(), Amount::Longer);
        row("close framed", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nbody", never, Amount::Unknown);
        const auto broken = [&row, never](const char *name, const QByteArray &bytes, Problem problem) {
            row(name, bytes, never, Amount::Unknown, int(problem));
        };
        broken("length text", len + "1O\r\n\r\n10 bytes..", Problem::ContentLengthNotNumber);
        broken("length negative", len + "-5\r\n\r\n", Problem::ContentLengthNegative);
        broken("length enormous", len + "99999999999999999999999\r\n\r\nx", Problem::ContentLengthTooLarge);
        broken("lengths differ", len + "5\r\nContent-Length: 6\r\n\r\nhello!", Problem::ContentLengthConflict);
        broken("chunk size not hex", chunked + "zz\r\nhello\r\n0\r\n\r\n", Problem::ChunkSizeBad);
        broken("header without end", "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(70000, 'a'), Problem::HeaderTooLong);
        row("not HTTP", "<soap:Envelope/>\r\n", never, Amount::Unknown, -1, false, false);
    }
    void framing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, head);
        QFETCH(bool, http);
        QFETCH(qint64, completeAt);
        QFETCH(int, amount);
        QFETCH(int, problem);
        if (completeAt == 0)
            completeAt = bytes.size();
        // Whole, byte by byte, and in pieces that cut every line end somewhere;
        // the joined body is the same however the bytes came.
        QByteArray wholeBody;
        for (const qsizetype step : {bytes.size(), qsizetype(1), qsizetype(7)}) {
            HttpFraming f;
            QByteArray body;
            f.setBodySink([&body](QByteArrayView b) { body += b; });
            f.reset(head);
            for (qsizetype i = 0; i < bytes.size(); i += step)
                f.feed(QByteArrayView(bytes).sliced(i, qMin(step, bytes.size() - i)));
            const HttpDiagnosis d = f.diagnosis();
            QCOMPARE(f.isHttp(), http);
            QCOMPARE(f.finalResponseComplete(), completeAt >= 0);
            QCOMPARE(f.completeAt(), completeAt);
            QCOMPARE(int(d.amount), amount);
            if (problem < 0)
                QCOMPARE(d.problems, QList<Problem>{});
            else
                QVERIFY(d.problems.contains(Problem(problem)));
            if (step == bytes.size())
                wholeBody = body;
            QCOMPARE(body, wholeBody);
        }
    }

    void charsetIsAnyParameter()
    {
        HttpFraming f;
        f.reset(false);
        f.feed("HTTP/1.1 200 OK\r\nContent-Type: application/soap+xml;action=x;Charset=utf-8\r\n\r\n");
        QCOMPARE(f.diagnosis().charset, QStringLiteral("utf-8"));
    }

    void contentLength_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<bool>("applicable");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &request, const QString &expected, bool applicable = true,
                            const QByteArray &encoding = "UTF-8") {
            QTest::newRow(name) << request << encoding << applicable << expected;
        };
        const QString jp = QStringLiteral("POST /s HTTP/1.1\r\nContent-Length: 1\r\n\r\nあいう");
        row("wrong, UTF-8 3 bytes a character", jp, QString(jp).replace(": 1\r", ": 9\r"));
        row("wrong, Shift_JIS 2 bytes a character", jp, QString(jp).replace(": 1\r", ": 6\r"), true, "Shift_JIS");
        row("absent, CR LF", "POST / HTTP/1.1\r\nHost: a\r\n\r\n<a>é</a>",
            "POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 9\r\n\r\n<a>é</a>");
        row("absent, LF", "POST / HTTP/1.1\nHost: a\n\nabc", "POST / HTTP/1.1\nHost: a\nContent-Length: 3\n\nabc");
        row("duplicated", "P / H\r\ncontent-length: 10\r\nHost: a\r\nContent-Length: 1\r\n\r\nabc",
            "P / H\r\ncontent-length: 3\r\nHost: a\r\n\r\nabc");
        row("present and right", "P / H\r\nContent-Length: 3\r\n\r\nabc", "P / H\r\nContent-Length: 3\r\n\r\nabc");
        row("no body", "P / H\r\nContent-Length: 5\r\n\r\n", "P / H\r\nContent-Length: 5\r\n\r\n", false);
    }
    void contentLength()
    {
        QFETCH(QString, request);
        QFETCH(QByteArray, encoding);
        QFETCH(bool, applicable);
        QFETCH(QString, expected);
        QStringEncoder encoder(encoding.constData());
        const auto r = ContentLength::fix(request, [&](QStringView body) { return QByteArray(encoder(body)).size(); });
        QCOMPARE(r.applicable, applicable);
        QCOMPARE(ContentLength::apply(request, r.edits), expected);
        QCOMPARE(r.edits.isEmpty(), expected == request);
    }

    // The word the summary gives a response, read as ended (the window's
    // summary test shows a complete and a short one).
    void verdict_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warning");
        QTest::newRow("3 more than the length") << "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokXYZ"_ba
                                                << "余分 3 バイト" << true;
        QTest::newRow("chunked, whole, 2 after it")
            << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\nzz"_ba
            << "余分 2 バイト" << true;
        QTest::newRow("chunked, no last chunk") << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n"_ba
                                                << "不足（終端チャンクなし）" << true;
        QTest::newRow("header cut") << "HTTP/1.1 200 OK\r\nX: y"_ba
                                    << "不足（ヘッダーの途中まで）" << true;
        QTest::newRow("framed by the close") << "HTTP/1.0 200 OK\r\n\r\nbody"_ba
                                             << "閉じるまで" << false;
    }
    void verdict()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, text);
        QFETCH(bool, warning);
        HttpFraming f;
        f.reset(false);
        f.feed(response);
        const FramingVerdict v = FramingVerdict::of(f);
        QCOMPARE(v.text(), text);
        QCOMPARE(v.isWarning(), warning);
    }

    void requestShape()
    {
        // Not HTTP, but its lone LF counted; a lone CR made CR LF too.
        QVERIFY(!RequestShape::startsLikeHttp(u"hello world\n"));
        QCOMPARE(RequestShape::loneLineFeeds(u"hello world\n\r\n"), 1);
        QCOMPARE(RequestShape::withCrLf(u"GET * HTTP/1.0\r\r\n\n"), QStringLiteral("GET * HTTP/1.0\r\n\r\n\r\n"));
    }

    void lineEnds()
    {
        // A CR before CR LF and an LF before CR are lone ones.
        const LineEndCount c = countLineEnds("a\r\nb\nc\r\r\n\n\r");
        QCOMPARE((QList<qint64>{c.crlf, c.lf, c.cr}), (QList<qint64>{2, 2, 2}));
    }
};

QTEST_GUILESS_MAIN(HttpTest)
#include "tst_http.moc"
