// The exchange engine against real loopback servers, without a window.
#include "Loopback.h"
#include "TlsLoopbackServer.h"

#include "core/ExchangeEngine.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Records how one exchange ended.
struct Run
{
    ExchangeEngine engine;
    QString end; // "completed", "timeout N", or "failed N"
    QString description;
    int reports = 0;
    // What the engine said, in order: its outcomes by name, "started" and the reports.
    QStringList said;
    bool settled = true; // each outcome was told with the engine already in it
    Run()
    {
        QObject::connect(&engine, &ExchangeEngine::started, &engine, [this] { said << QStringLiteral("started"); });
        QObject::connect(&engine, &ExchangeEngine::outcomeChanged, &engine, [this](ExchangeEngine::Outcome o) {
            said << QString::fromLatin1(QMetaEnum::fromType<ExchangeEngine::Outcome>().valueToKey(int(o)));
            settled = settled && engine.outcome() == o
                      && (o == ExchangeEngine::Outcome::Running || engine.state() == Transport::Closed);
        });
        QObject::connect(&engine, &ExchangeEngine::completed, &engine, [this] { note(QStringLiteral("completed")); });
        QObject::connect(&engine, &ExchangeEngine::timedOut, &engine,
                         [this](int s) { note(QStringLiteral("timeout %1").arg(s)); });
        QObject::connect(&engine, &ExchangeEngine::failed, &engine, [this](qint32 n, const QString &d) {
            note(QStringLiteral("failed %1").arg(n));
            description = d;
        });
    }
    void note(const QString &e)
    {
        said << e.section(QLatin1Char(' '), 0, 0);
        end = e;
        ++reports;
    }
    void start(quint16 port, const QByteArray &request = "q", int timeout = 2, bool httpEnd = false)
    {
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = port;
        s.timeoutSeconds = timeout;
        s.request = request;
        s.httpEnd = httpEnd;
        engine.start(s);
    }
    bool wait(int ms = 5000)
    {
        return QTest::qWaitFor([this] { return !end.isEmpty(); }, ms);
    }
};

// OpenSSL's own test server on a loopback port, with the test certificates.
struct OpenSslServer
{
    QProcess process;
    const quint16 port = refusedPort();
    // False when there is no openssl command or it does not listen in time.
    bool start(const QStringList &options)
    {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            return false;
        process.start(openssl, QStringList{"s_server", "-accept", QString::number(port), "-cert",
                                           testCert("server.pem"), "-key", testCert("server.key"), "-quiet"}
                                   + options);
        return process.waitForStarted()
               && QTest::qWaitFor(
                   [this] {
                       QTcpSocket probe;
                       probe.connectToHost(QHostAddress::LocalHost, port);
                       return probe.waitForConnected(100);
                   },
                   5000);
    }
    ~OpenSslServer()
    {
        process.kill();
        process.waitForFinished();
    }
};

} // namespace

class EngineTest : public QObject
{
    Q_OBJECT
private slots:
    void completionKeepsEveryByteAndTimesThePhases()
    {
        const QList<QByteArray> pieces{"HTTP/1.0 200 OK\r\n",
                                       QByteArray("\xEF\xBB\xBF"
                                                  "a\0b\r",
                                                  7),
                                       "\n\xE5\xBF", "\x9C"};
        LoopbackServer server(Scripts::answerAndClose(pieces));
        Run r;
        r.start(server.port(), QByteArray("GET /\r\n\0\xFF", 9));
        QVERIFY(r.wait());
        QCOMPARE(r.end, QStringLiteral("completed"));
        QCOMPARE(r.engine.response(), pieces.join());
        QCOMPARE(server.received, QByteArray("GET /\r\n\0\xFF", 9));
        QCOMPARE(r.engine.requestBytesSent(), 9);
        const ExchangeTimings &t = r.engine.timings();
        QVERIFY(t.resolved >= 0);
        QVERIFY(t.connected >= t.resolved);
        QVERIFY(t.requestSent >= t.connected);
        QVERIFY(t.firstByte >= t.requestSent);
        QVERIFY(t.end >= t.firstByte);
        QCOMPARE(r.engine.state(), Transport::Closed);
        QTest::qWait(50);
        QCOMPARE(r.reports, 1);
        QCOMPARE(r.said, (QStringList{"Running", "started", "Completed", "completed"}));
        QVERIFY(r.settled);
        r.engine.clear();
        QCOMPARE(r.said.last(), QStringLiteral("Idle"));
    }

    void timeOuts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("never answers") << 0 << QByteArray();
        QTest::newRow("answers and keeps the connection open") << 1 << QByteArray("partial");
    }
    void timeOuts()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, kept);
        const LoopbackServer::Script scripts[] = {Scripts::neverAnswer(), Scripts::answerAndKeepOpen(kept)};
        LoopbackServer server(scripts[kind]);
        Run r;
        r.start(server.port(), "q", 1);
        QVERIFY(r.wait());
        QCOMPARE(r.end, QStringLiteral("timeout 1"));
        QCOMPARE(r.engine.response(), kept);
        QCOMPARE(r.engine.state(), Transport::Closed);
        QTest::qWait(1200); // no second report from a stale tick
        QCOMPARE(r.reports, 1);
        QCOMPARE(r.said, (QStringList{"Running", "started", "TimedOut", "timeout"}));
        QVERIFY(r.settled);
    }

    // How an exchange ends with servers that close without a word, never
    // answer, or wait for the end of the request; the time-out (smallest, 1 s)
    // never ends one early. The clock starts at the engine's last report.
    void endsAtTheRightMoment_data()
    {
        QTest::addColumn<int>("server"); // 0 never answers, 1 answers once, 2 reads and closes,
                                         // 3 shuts down, then closes, 4 answers at the end of input
        QTest::addColumn<bool>("tls");
        QTest::addColumn<bool>("halfClose");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("notBeforeMs");
        QTest::newRow("no answer") << 0 << false << false << "timeout 1" << 1000;
        QTest::newRow("silence after an answer") << 1 << false << false << "timeout 1" << 1000;
        QTest::newRow("TLS handshake unanswered") << 0 << true << false << "failed 303" << 1000;
        QTest::newRow("closed without an answer") << 2 << false << false << "failed 251" << 0;
        QTest::newRow("shut down, then closed") << 3 << false << false << "failed 251" << 0;
        QTest::newRow("TLS closed after the handshake") << 5 << true << false << "failed 251" << 0;
        QTest::newRow("half-close lets an end-of-input reader answer") << 4 << false << true << "completed" << 0;
        QTest::newRow("without it, it waits") << 4 << false << false << "timeout 1" << 1000;
    }
    void endsAtTheRightMoment()
    {
        QFETCH(int, server);
        QFETCH(bool, tls);
        QFETCH(bool, halfClose);
        QFETCH(QString, end);
        QFETCH(int, notBeforeMs);
        const LoopbackServer::Script scripts[] = {Scripts::neverAnswer(),
                                                  Scripts::answerAndKeepOpen("partial"),
                                                  Scripts::closeWithoutSending(),
                                                  [](QTcpSocket *s, LoopbackServer *) {
                                                      ::shutdown(static_cast<int>(s->socketDescriptor()), SHUT_WR);
                                                      QTimer::singleShot(300, s, [s] { s->disconnectFromHost(); });
                                                  },
                                                  Scripts::answerAtEndOfInput(),
                                                  Scripts::neverAnswer()};
        LoopbackServer plain(scripts[server]);
        TlsLoopbackServer tlsServer(QStringLiteral("server"));
        tlsServer.setAnswer(QByteArray());
        Run r;
        QElapsedTimer since;
        qint64 waited = -1;
        const auto restart = [&since] { since.start(); };
        const auto stop = [&since, &waited] { waited = since.elapsed(); };
        QObject::connect(&r.engine, &ExchangeEngine::connected, &r.engine, restart);
        QObject::connect(&r.engine, &ExchangeEngine::arrived, &r.engine, restart);
        QObject::connect(&r.engine, &ExchangeEngine::outcomeChanged, &r.engine, stop);
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server == 5 ? tlsServer.port() : plain.port();
        s.request = "hello";
        // Not the time-out, when the end must come first: it would wait past r.wait().
        s.timeoutSeconds = notBeforeMs > 0 ? 1 : 10;
        s.tls.enabled = tls;
        s.tls.caFile = testCert(QStringLiteral("ca.pem"));
        s.halfClose = halfClose;
        since.start();
        r.engine.start(s);
        QVERIFY(r.wait());
        QCOMPARE(r.end, end);
        QVERIFY2(waited >= notBeforeMs, qPrintable(QString::number(waited)));
        QCOMPARE(r.engine.response(), QByteArray(server == 1                ? "partial"
                                                 : server == 4 && halfClose ? "read 5 bytes"
                                                                            : ""));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("end");
        QTest::newRow("refused") << "127.0.0.1" << int(refusedPort()) << "failed 200";
        QTest::newRow("unresolvable host") << "no-such-host.invalid" << 80 << "failed 202";
        QTest::newRow("port 0") << "127.0.0.1" << 0 << "throws 102";
    }
    void failures()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, end);
        Run r;
        ExchangeSetup s;
        s.host = host;
        s.port = port;
        s.request = "q";
        try {
            r.engine.start(s);
        } catch (const Failure &f) {
            r.end = QStringLiteral("throws %1").arg(f.number);
        }
        QVERIFY(r.wait(10000));
        QCOMPARE(r.end, end);
        QVERIFY(r.end.startsWith("throws") || !r.description.isEmpty());
        QVERIFY(!r.engine.isRunning());
    }

    void hostInBrackets_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("end");
        QTest::newRow("IPv6 as URLs write it") << "[::1]"
                                               << "completed";
        QTest::newRow("IPv6 bare") << "::1"
                                   << "completed";
        QTest::newRow("IPv4 in brackets is no URL form") << "[127.0.0.1]"
                                                         << "failed 202";
        QTest::newRow("a name in brackets") << "[nonexistent.invalid]"
                                            << "failed 202";
    }
    void hostInBrackets()
    {
        QFETCH(QString, host);
        QFETCH(QString, end);
        LoopbackServer server(Scripts::answerAndClose({"ok"}), QHostAddress::LocalHostIPv6);
        Run r;
        ExchangeSetup s;
        s.host = host;
        s.port = server.port();
        s.request = "q";
        r.engine.start(s);
        QVERIFY(r.wait());
        QCOMPARE(r.end, end);
        QCOMPARE(r.engine.response(), QByteArray(end == QLatin1String("completed") ? "ok" : ""));
    }

    void connectionAttemptIsBoundedByTheTimeOut()
    {
        // A listener whose backlog is full drops further SYNs: the attempt hangs
        // until the operating system gives up, unless the time-out ends it.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
        QCOMPARE(::listen(fd, 0), 0);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
        QList<QTcpSocket *> fillers;
        for (int i = 0; i < 4; ++i) {
            fillers << new QTcpSocket(this);
            fillers.last()->connectToHost(QHostAddress::LocalHost, ntohs(a.sin_port));
        }
        QTest::qWait(300);
        Run r;
        QElapsedTimer t;
        t.start();
        r.start(ntohs(a.sin_port), "q", 1);
        QVERIFY(r.wait(5000));
        QCOMPARE(r.end, QStringLiteral("failed 205"));
        QVERIFY(t.elapsed() < 3000);
        QVERIFY(r.engine.response().isEmpty());
        qDeleteAll(fillers);
        ::close(fd);
    }

    void resetAfterDataIsAFailureWithTheDataKept()
    {
        LoopbackServer server([](QTcpSocket *s, LoopbackServer *) {
            s->write("partial");
            s->flush();
            QTimer::singleShot(100, s, [s] {
                const linger hard{1, 0};
                setsockopt(static_cast<int>(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                s->abort();
            });
        });
        Run r;
        r.start(server.port());
        QVERIFY(r.wait());
        QCOMPARE(r.end, QStringLiteral("failed 250"));
        QCOMPARE(r.description,
                 QStringLiteral("接続先サーバによって接続がリセットされました。")); // ours, not Qt's English
        QCOMPARE(r.engine.response(), QByteArray("partial"));
    }

    void responseLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("close"); // after the answer; else the server stays
        QTest::addColumn<QString>("end");
        QTest::newRow("exactly the limit, then closed") << 1000 << true << "completed";
        QTest::newRow("a byte beyond, then closed") << 1001 << true << "failed 240";
        QTest::newRow("exactly the limit, kept open") << 1000 << false << "timeout 1";
        QTest::newRow("far beyond, kept open") << 3000 << false << "failed 240";
    }
    void responseLimit()
    {
        QFETCH(int, size);
        QFETCH(bool, close);
        QFETCH(QString, end);
        const QByteArray answer(size, 'x');
        LoopbackServer server(close ? Scripts::answerAndClose({answer}) : Scripts::answerAndKeepOpen(answer));
        Run r;
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server.port();
        s.request = "q";
        s.timeoutSeconds = 1;
        s.responseLimit = 1000;
        r.engine.start(s);
        QVERIFY(r.wait());
        QCOMPARE(r.end, end);
        QCOMPARE(r.engine.response(), QByteArray(1000, 'x'));
        if (end == QLatin1String("failed 240"))
            QVERIFY(r.description.contains(ExchangeEngine::limitText(1000)));
    }

    // Not kept, the response reaches a receiver piece by piece; a receiver
    // that holds the reading longer than the time-out is no server's silence.
    void streamedResponseWithAHeldReading()
    {
        const QByteArray answer = QByteArray("HTTP/1.0 200 OK\r\n\r\n") + QByteArray(3 << 20, 'b');
        LoopbackServer server(Scripts::answerAndClose({answer.first(100), answer.sliced(100)}));
        Run r;
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server.port();
        s.request = "q";
        s.timeoutSeconds = 1;
        s.keepResponse = false;
        QByteArray streamed;
        QObject::connect(&r.engine, &ExchangeEngine::arrived, &r.engine, [&](qint64 total) {
            streamed += r.engine.lastPiece();
            QCOMPARE(total, streamed.size());
            if (streamed.size() == 100) {
                r.engine.holdReading(true);
                QTimer::singleShot(1500, &r.engine, [&r] { r.engine.holdReading(false); });
            }
        });
        r.engine.start(s);
        QVERIFY(r.wait(8000));
        QCOMPARE(r.end, QStringLiteral("completed"));
        QCOMPARE(streamed, answer);
        QVERIFY(r.engine.response().isEmpty());
        QCOMPARE(r.engine.receivedBytes(), answer.size());
        QCOMPARE(r.engine.framing().headerBytes(), 19);
        QVERIFY(r.engine.timings().end - r.engine.timings().firstByte >= 1500);
    }

    void httpEndCompletesAKeptOpenResponse_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("httpEnd");
        QTest::addColumn<QString>("end");
        const QByteArray sized = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
        QTest::newRow("length, option on") << sized << true << "completed";
        QTest::newRow("length, option off") << sized << false << "timeout 1";
        QTest::newRow("chunked with trailer") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                                            "5\r\nhello\r\n0\r\nX: y\r\n\r\n")
                                              << true << "completed";
        QTest::newRow("close-framed waits") << QByteArray("HTTP/1.0 200 OK\r\n\r\nbody") << true << "timeout 1";
        QTest::newRow("short body waits")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nhello") << true << "timeout 1";
    }
    void httpEndCompletesAKeptOpenResponse()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, httpEnd);
        QFETCH(QString, end);
        LoopbackServer server(Scripts::answerAndKeepOpen(answer));
        Run r;
        QElapsedTimer t;
        r.start(server.port(), "GET / HTTP/1.1\r\n\r\n", 1, httpEnd);
        t.start();
        QVERIFY(r.wait());
        QCOMPARE(r.end, end);
        QCOMPARE(r.engine.response(), answer);
        if (end == QLatin1String("completed"))
            QVERIFY2(r.engine.timings().end - r.engine.timings().firstByte < 50, "completion waited for something");
    }

    void tls_data()
    {
        QTest::addColumn<QString>("cert");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("says"); // a fact the description or the note names
        QTest::newRow("trusted") << "server" << true << "completed"
                                 << "";
        QTest::newRow("self-signed") << "selfsigned" << true << "failed 300"
                                     << "自己署名";
        QTest::newRow("expired") << "expired" << true << "failed 300"
                                 << "2021-01-01";
        QTest::newRow("wrong name") << "wrongname" << true << "failed 300"
                                    << "wrong.example";
        QTest::newRow("self-signed, not verified") << "selfsigned" << false << "completed"
                                                   << "自己署名";
    }
    void tls()
    {
        QFETCH(QString, cert);
        QFETCH(bool, verify);
        QFETCH(QString, end);
        QFETCH(QString, says);
        TlsLoopbackServer server(cert);
        server.setAnswer("HTTP/1.0 200 OK\r\n\r\nsecret");
        Run r;
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server.port();
        s.request = QByteArray("GET / HTTP/1.0\r\n\r\n\0\xFF", 20);
        s.tls.enabled = true;
        s.tls.verify = verify;
        s.tls.caFile = testCert(QStringLiteral("ca.pem"));
        r.engine.start(s);
        QVERIFY(r.wait());
        QCOMPARE(r.end, end);
        if (end == QLatin1String("completed")) {
            QCOMPARE(server.received, s.request);
            QCOMPARE(r.engine.response(), QByteArray("HTTP/1.0 200 OK\r\n\r\nsecret"));
            QVERIFY(r.engine.timings().tlsDone >= r.engine.timings().connected);
            // The session as the details show it: protocol and the certificate's own fingerprint.
            const QString details = r.engine.tlsDetails().join('\n');
            QVERIFY2(details.contains(QStringLiteral("プロトコル: TLS 1.")), qPrintable(details));
            QFile pem(testCert(cert + QStringLiteral(".pem")));
            QVERIFY(pem.open(QIODevice::ReadOnly));
            const QByteArray sha = QSslCertificate(pem.readAll()).digest(QCryptographicHash::Sha256).toHex(':').toUpper();
            QVERIFY2(details.contains(QString::fromLatin1(sha), Qt::CaseInsensitive), qPrintable(details));
            QVERIFY(r.engine.tlsVerificationNote().contains(says));
        } else {
            QVERIFY2(r.description.contains(says), qPrintable(r.description));
            QVERIFY(server.received.isEmpty());
            // The refused certificate is in the details all the same.
            QVERIFY(r.engine.tlsDetails().join('\n').contains(QStringLiteral("SHA-256")));
        }
    }

    void clientCertificateAndHandshake_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("withCertificate");
        QTest::newRow("certificate required and given") << "tls" << true;
        // Qt's test server drops a client without a certificate with no alert;
        // OpenSSL's says why, as real servers do.
        QTest::newRow("certificate required, none given") << "openssl" << false;
        QTest::newRow("plain server answering a TLS exchange") << "plain" << false;
    }
    void clientCertificateAndHandshake()
    {
        QFETCH(QString, server);
        QFETCH(bool, withCertificate);
        TlsLoopbackServer tlsServer(QStringLiteral("server"), true);
        LoopbackServer plain(Scripts::answerAndClose({"HTTP/1.0 400 Bad Request\r\n\r\n"}));
        OpenSslServer openssl;
        if (server == QLatin1String("openssl"))
            QVERIFY(openssl.start({"-Verify", "1", "-CAfile", testCert("ca.pem"), "-www"}));
        Run r;
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server == QLatin1String("tls")     ? tlsServer.port()
                 : server == QLatin1String("plain") ? plain.port()
                                                    : openssl.port;
        s.request = "q";
        s.timeoutSeconds = 2;
        s.tls.enabled = true;
        s.tls.caFile = testCert(QStringLiteral("ca.pem"));
        if (withCertificate) {
            s.tls.certFile = testCert(QStringLiteral("client.pem"));
            s.tls.keyFile = testCert(QStringLiteral("client.key"));
        }
        r.engine.start(s);
        QVERIFY(r.wait());
        if (withCertificate) {
            QCOMPARE(r.end, QStringLiteral("completed"));
            QCOMPARE(tlsServer.received, QByteArray("q"));
            QCOMPARE(tlsServer.clientCertificates.size(), 1);
            return;
        }
        QVERIFY2(r.end == QLatin1String("failed 301"), qPrintable(r.end + ' ' + r.description));
    }

    void completesWhenATlsServerClosesWithCloseNotify()
    {
        // OpenSSL's own test server answers and closes with a close_notify,
        // after which Qt's socket still calls itself connected.
        OpenSslServer server;
        QVERIFY(server.start({"-www"}));
        Run r;
        ExchangeSetup s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server.port;
        s.request = "GET / HTTP/1.0\r\n\r\n";
        s.timeoutSeconds = 5;
        s.tls.enabled = true;
        s.tls.caFile = testCert(QStringLiteral("ca.pem"));
        r.engine.start(s);
        QVERIFY(r.wait(3000));
        QCOMPARE(r.end, QStringLiteral("completed"));
        QVERIFY(r.engine.response().startsWith("HTTP/1.0 200 ok"));
    }
};

QTEST_GUILESS_MAIN(EngineTest)
#include "tst_engine.moc"
