// Exchanges through real proxies started on loopback: tinyproxy (HTTP
// CONNECT) and microsocks (SOCKS5).
#include "Loopback.h"
#include "ProxyProcess.h"
#include "TlsLoopbackServer.h"

#include "core/ExchangeEngine.h"
#include "core/FailureNumber.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QByteArray Request = "GET / HTTP/1.0\r\nHost: a\r\n\r\n";
const QByteArray Answer = "HTTP/1.0 200 OK\r\n\r\nthrough";
const QString User = QStringLiteral("alice"), Password = QStringLiteral("s3cret");

struct Outcome
{
    QString end; // "completed" or the failure number
    QString description;
};

Outcome run(ExchangeEngine &engine, const ExchangeSetup &setup)
{
    Outcome o;
    QObject::connect(&engine, &ExchangeEngine::completed, &engine, [&o] { o.end = QStringLiteral("completed"); });
    QObject::connect(&engine, &ExchangeEngine::timedOut, &engine, [&o] { o.end = QStringLiteral("timeout"); });
    QObject::connect(&engine, &ExchangeEngine::failed, &engine, [&o](qint32 n, const QString &d) {
        o.end = QString::number(n);
        o.description = d;
    });
    try {
        engine.start(setup);
    } catch (const Failure &f) {
        return {QString::number(f.number), f.description};
    }
    (void)QTest::qWaitFor([&o] { return !o.end.isEmpty(); }, 10000);
    return o;
}

} // namespace

class TstProxy : public QObject
{
    Q_OBJECT

private slots:
    void exchange_data()
    {
        QTest::addColumn<QString>("kind");   // http, socks5 (names resolved here), socks5h (by the proxy)
        QTest::addColumn<QString>("auth");   // "": none; "wanted": the proxy wants it and gets none; "wrong", "right"
        QTest::addColumn<QString>("dest");   // plain, tls, tls:wrongname, hello (records a TLS client hello),
                                             // forbidden (a port the proxy does not allow), refused
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("failure");    // 0: completed
        QTest::addColumn<QString>("words");  // in the failure's description
        for (const char *kind : {"http", "socks5", "socks5h"}) {
            QTest::addRow("%s plain", kind) << kind << "" << "plain" << "127.0.0.1" << 0 << "";
            QTest::addRow("%s TLS for the destination's name", kind) << kind << "" << "tls" << "localhost" << 0 << "";
            QTest::addRow("%s TLS verification", kind) << kind << "" << "tls:wrongname" << "localhost" << 300 << "wrong.example";
            QTest::addRow("%s right password", kind) << kind << "right" << "plain" << "127.0.0.1" << 0 << "";
            QTest::addRow("%s authentication wanted", kind) << kind << "wanted" << "plain" << "127.0.0.1" << 261 << "";
            QTest::addRow("%s wrong password", kind) << kind << "wrong" << "plain" << "127.0.0.1" << 261 << "";
            QTest::addRow("%s destination refused", kind) << kind << "" << "refused" << "127.0.0.1" << 262 << "";
        }
        QTest::newRow("http SNI in the client hello") << "http" << "" << "hello" << "localhost" << 301 << "";
        QTest::newRow("socks5h SNI in the client hello") << "socks5h" << "" << "hello" << "localhost" << 301 << "";
        QTest::newRow("http port not allowed") << "http" << "" << "forbidden" << "127.0.0.1" << 260 << "HTTP/1.1 403 Access violation";
        QTest::newRow("http status line of a refusal") << "http" << "wanted" << "plain" << "127.0.0.1" << 261 << "407 Proxy Authentication Required";
        QTest::newRow("http unreachable") << "http" << "" << "refused" << "127.0.0.1" << 262 << "HTTP/1.1 500 Unable to connect";
        QTest::newRow("socks5h unresolvable by the proxy") << "socks5h" << "" << "plain" << "nonexistent.invalid" << 262 << "nonexistent.invalid";
        QTest::newRow("http name that would break the CONNECT") << "http" << "" << "plain" << "a\r\nX: y" << 202 << "";
        QTest::newRow("socks5 unresolvable here") << "socks5" << "" << "plain" << "nonexistent.invalid" << 202 << "";
    }
    // The destination receives exactly the request, whatever the proxy; the
    // proxy's refusals fail with its own words.
    void exchange()
    {
        QFETCH(QString, kind);
        QFETCH(QString, auth);
        QFETCH(QString, dest);
        QFETCH(QString, host);
        QFETCH(int, failure);
        QFETCH(QString, words);
        const bool http = kind == u"http";
        if (const QString why = ProxyProcess::missing(http ? "tinyproxy" : "microsocks"); !why.isEmpty())
            QSKIP(qPrintable(why));
        LoopbackServer plain(Scripts::answerAndClose({dest == u"hello" ? "not TLS" : Answer}));
        TlsLoopbackServer tls(dest.startsWith(u"tls:") ? dest.mid(4) : QStringLiteral("server"));
        tls.setAnswer(Answer);
        const quint16 refused = refusedPort();
        const quint16 port = dest.startsWith(u"tls") ? tls.port() : dest == u"refused" ? refused : plain.port();
        const QString proxyUser = auth.isEmpty() ? QString() : User;
        const auto proxy = http ? ProxyProcess::tinyproxy({tls.port(), refused, dest == u"forbidden" ? quint16(0) : plain.port()},
                                                          proxyUser, Password)
                                : ProxyProcess::microsocks(proxyUser, Password);

        ExchangeSetup s;
        s.host = host;
        s.port = port;
        s.timeoutSeconds = 5;
        s.request = Request;
        s.tls.enabled = dest.startsWith(u"tls") || dest == u"hello";
        s.tls.caFile = testCert(QStringLiteral("ca.pem"));
        s.proxy.type = http ? ProxySettings::Type::Http : ProxySettings::Type::Socks5;
        s.proxy.host = QStringLiteral("127.0.0.1");
        s.proxy.port = proxy->port();
        s.proxy.remoteDns = kind == u"socks5h";
        if (auth == u"right" || auth == u"wrong") {
            s.proxy.user = User;
            s.proxy.password = auth == u"right" ? Password.toUtf8() : QByteArray("bad");
        }
        ExchangeEngine engine;
        const Outcome o = run(engine, s);
        const QByteArray received = plain.received + tls.received;
        if (failure == 0) {
            QVERIFY2(o.end == u"completed", qPrintable(o.end));
            QCOMPARE(received, Request);
            QCOMPARE(engine.response(), Answer);
            QVERIFY(engine.timings().connected >= engine.timings().proxyConnected);
            QCOMPARE(engine.timings().proxyConnected >= 0, http);
            QCOMPARE(engine.tlsDetails().isEmpty(), !s.tls.enabled);
            return;
        }
        QCOMPARE(o.end, QString::number(failure));
        QVERIFY2(o.description.contains(words), qPrintable(o.description));
        QCOMPARE(engine.response(), QByteArray());
        if (dest == u"hello") // the name TLS sends is the destination's, in the clear in the client hello
            QVERIFY(received.startsWith('\x16') && received.contains("localhost"));
        else
            QCOMPARE(received, QByteArray());
    }

    void namesResolvedWhereChosen_data()
    {
        QTest::addColumn<bool>("remoteDns");
        QTest::newRow("socks5h: by the proxy") << true;
        QTest::newRow("socks5: here") << false;
    }
    // microsocks logs the destination as it was given: a name, or an address.
    void namesResolvedWhereChosen()
    {
        QFETCH(bool, remoteDns);
        if (const QString why = ProxyProcess::missing("microsocks"); !why.isEmpty())
            QSKIP(qPrintable(why));
        // "localhost" may be resolved to either loopback address: both answer.
        LoopbackServer v4(Scripts::answerAndClose({Answer}));
        QTcpServer v6;
        (void)v6.listen(QHostAddress::LocalHostIPv6, v4.port());
        QObject::connect(&v6, &QTcpServer::newConnection, &v6, [&v6] {
            QTcpSocket *s = v6.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [s] { s->write(Answer); s->disconnectFromHost(); });
        });
        const auto proxy = ProxyProcess::microsocks();
        ExchangeSetup s;
        s.host = QStringLiteral("localhost");
        s.port = v4.port();
        s.request = Request;
        s.proxy = {ProxySettings::Type::Socks5, QStringLiteral("127.0.0.1"), proxy->port(), {}, {}, remoteDns};
        ExchangeEngine engine;
        QCOMPARE(run(engine, s).end, QStringLiteral("completed"));
        const QByteArray log = proxy->log();
        QVERIFY2(log.contains("connected to ") && log.contains("localhost:") == remoteDns, log.constData());
    }
};

QTEST_GUILESS_MAIN(TstProxy)
#include "tst_proxy.moc"
