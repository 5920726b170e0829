// Exchanges through real proxies started on loopback: tinyproxy (HTTP
// CONNECT) and microsocks (SOCKS5).
#include "Loopback.h"
#include "ProxyProcess.h"
#include "TlsLoopbackServer.h"

#include "core/ExchangeEngine.h"
#include "core/FailureNumber.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

const QByteArray Request = "GET / HTTP/1.0\r\nHost: a\r\n\r\n";
const QByteArray Answer = "HTTP/1.0 200 OK\r\n\r\nthrough";
const QString User = QStringLiteral("alice"), Password = QStringLiteral("s3cret");

// How the exchange ended: "completed", "timeout" or the failure, and its description.
Failure run(ExchangeEngine &engine, const ExchangeSetup &setup)
{
    Failure o{-1, QString()};
    QObject::connect(&engine, &ExchangeEngine::completed, &engine, [&o] { o.number = 0; });
    QObject::connect(&engine, &ExchangeEngine::timedOut, &engine, [&o] { o.number = 1; });
    QObject::connect(&engine, &ExchangeEngine::failed, &engine, [&o](qint32 n, const QString &d) { o = {n, d}; });
    try {
        engine.start(setup);
    } catch (const Failure &f) {
        return f;
    }
    (void)QTest::qWaitFor([&o] { return o.number >= 0; }, 10000);
    return o;
}

} // namespace

class TstProxy : public QObject
{
    Q_OBJECT

private slots:
    void exchange_data()
    {
        QTest::addColumn<QString>("kind"); // http, socks5 (names resolved here), socks5h (by the proxy)
        QTest::addColumn<QString>("auth"); // "": none; "wanted": the proxy wants it and gets none; "wrong", "right"
        QTest::addColumn<QString>("dest"); // plain, tls, tls:wrongname, hello (records a TLS client hello),
                                           // forbidden (a port the proxy does not allow), refused
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("failure");   // 0: completed
        QTest::addColumn<QString>("words"); // in the failure's description
        for (const QString &name : {QStringLiteral("http"), QStringLiteral("socks5"), QStringLiteral("socks5h")}) {
            const QByteArray kindText = name.toLatin1();
            const char *kind = kindText.constData();
            const bool http = name == u"http";
            QTest::addRow("%s plain", kind) << kind << ""
                                            << "plain"
                                            << "127.0.0.1" << 0 << "";
            QTest::addRow("%s TLS inside the tunnel", kind) << kind << ""
                                                            << "tls"
                                                            << "127.0.0.1" << 0 << "";
            QTest::addRow("%s TLS verification", kind) << kind << ""
                                                       << "tls:wrongname"
                                                       << "127.0.0.1" << 300 << "wrong.example";
            QTest::addRow("%s SNI in the client hello", kind) << kind << ""
                                                              << "hello"
                                                              << "localhost" << 301 << "";
            QTest::addRow("%s right password", kind) << kind << "right"
                                                     << "plain"
                                                     << "127.0.0.1" << 0 << "";
            QTest::addRow("%s authentication wanted", kind)
                << kind << "wanted"
                << "plain"
                << "127.0.0.1" << 261 << (http ? "407 Proxy Authentication Required" : "");
            QTest::addRow("%s wrong password", kind) << kind << "wrong"
                                                     << "plain"
                                                     << "127.0.0.1" << 261 << "";
            QTest::addRow("%s destination refused", kind)
                << kind << ""
                << "refused"
                << "127.0.0.1" << 262 << (http ? "HTTP/1.1 500 Unable to connect" : "");
        }
        QTest::newRow("http port not allowed") << "http"
                                               << ""
                                               << "forbidden"
                                               << "127.0.0.1" << 260 << "HTTP/1.1 403 Access violation";
        QTest::newRow("socks5h unresolvable by the proxy") << "socks5h"
                                                           << ""
                                                           << "plain"
                                                           << "nonexistent.invalid" << 262 << "nonexistent.invalid";
        QTest::newRow("http name that would break the CONNECT") << "http"
                                                                << ""
                                                                << "plain"
                                                                << "a\r\nX: y" << 202 << "";
        QTest::newRow("socks5 unresolvable here") << "socks5"
                                                  << ""
                                                  << "plain"
                                                  << "nonexistent.invalid" << 202 << "";
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
        const QByteArray answer = dest == u"hello" ? "not TLS" : Answer;
        LoopbackServer plain(Scripts::answerAndClose({answer}));
        QTcpServer v6; // "localhost" may lead to ::1 first
        QByteArray v6received;
        (void)v6.listen(QHostAddress::LocalHostIPv6, plain.port());
        QObject::connect(&v6, &QTcpServer::newConnection, &v6, [&] {
            QTcpSocket *s = v6.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [&, s] {
                v6received += s->readAll();
                s->write(answer);
                s->disconnectFromHost();
            });
        });
        TlsLoopbackServer tls(dest.startsWith(u"tls:") ? dest.mid(4) : QStringLiteral("server"));
        tls.setAnswer(Answer);
        const quint16 refused = refusedPort();
        const quint16 port = dest.startsWith(u"tls") ? tls.port() : dest == u"refused" ? refused : plain.port();
        const QString proxyUser = auth.isEmpty() ? QString() : User;
        const auto proxy = http ? ProxyProcess::tinyproxy(
                               {tls.port(), refused, dest == u"forbidden" ? quint16(0) : plain.port()}, proxyUser,
                               Password)
                                : ProxyProcess::microsocks(proxyUser, Password);

        ExchangeSetup s;
        s.host = host;
        s.port = port;
        s.timeoutSeconds = 5;
        s.request = Request;
        s.tls = {dest.startsWith(u"tls") || dest == u"hello", true, testCert(QStringLiteral("ca.pem")), {}, {}};
        s.proxy = {http ? ProxySettings::Type::Http : ProxySettings::Type::Socks5,
                   QStringLiteral("127.0.0.1"),
                   proxy->port(),
                   auth == u"right" || auth == u"wrong" ? User : QString(),
                   std::nullopt,
                   kind == u"socks5h"};
        if (auth == u"right" || auth == u"wrong")
            s.proxy.password = auth == u"right" ? Password.toUtf8() : QByteArray("bad");
        ExchangeEngine engine;
        const Failure o = run(engine, s);
        const QByteArray received = plain.received + v6received + tls.received;
        if (!http && host == u"localhost") // microsocks logs the name only when it resolved it
            QVERIFY2(proxy->log().contains("localhost:") == s.proxy.remoteDns, proxy->log().constData());
        if (failure == 0) {
            QVERIFY2(o.number == 0, qPrintable(o.description));
            QCOMPARE(received, Request);
            QCOMPARE(engine.response(), Answer);
            QVERIFY(engine.timings().connected >= engine.timings().proxyConnected);
            QCOMPARE(engine.timings().proxyConnected >= 0, http);
            QCOMPARE(engine.tlsDetails().isEmpty(), !s.tls.enabled);
            return;
        }
        QCOMPARE(o.number, failure);
        QVERIFY2(o.description.contains(words), qPrintable(o.description));
        QCOMPARE(engine.response(), QByteArray());
        if (dest == u"hello") // the name TLS sends is the destination's, in the clear in the client hello
            QVERIFY(received.startsWith('\x16') && received.contains("localhost"));
        else
            QCOMPARE(received, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TstProxy)
#include "tst_proxy.moc"
