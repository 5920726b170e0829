#include "core/TlsSetup.h"
#include "TlsLoopbackServer.h"

#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace TlsSetup;

namespace {

const QString Cancel = QStringLiteral("<cancel>");

// A client exchange: connect with TLS, send the request once encrypted, keep
// what comes back and what went wrong.
struct Client
{
    QSslSocket socket;
    QList<QSslError> errors;
    QSslConfiguration session;
    QByteArray response;
    bool done = false;

    Client(const QSslConfiguration &c, const QString &host, quint16 port, const QByteArray &request)
    {
        socket.setSslConfiguration(c);
        QObject::connect(&socket, &QSslSocket::sslErrors, &socket, [this](const QList<QSslError> &e) { errors = e; });
        QObject::connect(&socket, &QSslSocket::encrypted, &socket, [this, request] {
            session = socket.sslConfiguration();
            socket.write(request);
        });
        QObject::connect(&socket, &QIODevice::readyRead, &socket, [this] { response += socket.readAll(); });
        QObject::connect(&socket, &QAbstractSocket::disconnected, &socket, [this] { done = true; });
        QObject::connect(&socket, &QAbstractSocket::errorOccurred, &socket, [this] { done = true; });
        socket.connectToHostEncrypted(host, port);
    }
};

TlsSettings trusting(const QString &ca = QStringLiteral("ca.pem"))
{
    TlsSettings s;
    s.caFile = ca.isEmpty() ? QString() : testCert(ca);
    return s;
}

} // namespace

class TstTls : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
    void verification_data();
    void verification();
    void clientCertificate_data();
    void clientCertificate();
    void refused_data();
    void refused();
    void tlsRecord_data();
    void tlsRecord();
};

void TstTls::files_data()
{
    QTest::addColumn<QString>("ca");
    QTest::addColumn<QString>("cert");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("failure"); // empty = usable

    QTest::newRow("missing CA") << "nothing.pem" << "client.pem" << "client.key" << "" << "CA 証明書ファイルが見つかりません";
    QTest::newRow("CA is a folder") << "." << "client.pem" << "client.key" << "" << "CA 証明書ファイルとして指定されたのはフォルダです";
    QTest::newRow("CA not PEM") << "make-certs.sh" << "client.pem" << "client.key" << "" << "CA 証明書ファイルに PEM 形式の証明書がありません";
    QTest::newRow("key as certificate") << "" << "client.key" << "" << "" << "クライアント証明書ファイルに証明書がありません";
    QTest::newRow("no key") << "" << "client.pem" << "" << "" << "秘密鍵ファイルが指定されていません";
    QTest::newRow("key not matching") << "" << "client.pem" << "server.key" << "" << "秘密鍵がクライアント証明書と一致しません";
    QTest::newRow("key wrong password") << "" << "client.pem" << "client-encrypted.key" << "nope" << "秘密鍵のパスワードが違います";
    QTest::newRow("key prompt cancelled") << "" << "client.pem" << "client-encrypted.key" << Cancel << "取り消された";
    QTest::newRow("PKCS#12 wrong password") << "" << "client.p12" << "" << "nope" << "クライアント証明書のパスワードが違います";
    QTest::newRow("PKCS#12 prompt cancelled") << "" << "client.p12" << "" << Cancel << "取り消された";
    QTest::newRow("PEM pair") << "ca.pem" << "client.pem" << "client.key" << "" << "";
    QTest::newRow("encrypted key, right password") << "" << "client.pem" << "client-encrypted.key" << "key-test" << "";
    QTest::newRow("PKCS#12, right password") << "" << "client.p12" << "" << "p12-test" << "";
}

void TstTls::files()
{
    QFETCH(QString, ca);
    QFETCH(QString, cert);
    QFETCH(QString, key);
    QFETCH(QString, password);
    QFETCH(QString, failure);
    const auto path = [](const QString &f) { return f.isEmpty() ? f : testCert(f); };
    TlsSettings s = trusting(ca);
    s.certFile = path(cert);
    s.keyFile = path(key);
    int asked = 0;
    const PasswordPrompt ask = [&](const QString &) -> std::optional<QByteArray> {
        ++asked;
        return password == Cancel ? std::nullopt : std::optional<QByteArray>(password.toUtf8());
    };
    try {
        const QSslConfiguration c = configuration(s, ask);
        QVERIFY2(failure.isEmpty(), "a usable configuration from unusable files");
        QCOMPARE(c.localCertificate().subjectInfo(QSslCertificate::CommonName), QStringList{"wireProbeDesk Test Client"});
        QVERIFY(!c.privateKey().isNull());
        QCOMPARE(asked, password.isEmpty() ? 0 : 1);
    } catch (const Failure &f) {
        QVERIFY2(!failure.isEmpty(), qPrintable(f.description));
        QCOMPARE(f.number, FileFailed);
        QVERIFY2(f.description.contains(failure), qPrintable(f.description));
    }
}

void TstTls::verification_data()
{
    QTest::addColumn<QString>("serverCert");
    QTest::addColumn<QString>("ca");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("through");    // the exchange goes through
    QTest::addColumn<QString>("problem"); // what the errors say, if any

    QTest::newRow("trusted") << "server" << "ca.pem" << true << "127.0.0.1" << true << "";
    QTest::newRow("trusted by name") << "server" << "ca.pem" << true << "localhost" << true << "";
    QTest::newRow("self-signed") << "selfsigned" << "ca.pem" << true << "127.0.0.1" << false << "自己署名の証明書です";
    QTest::newRow("expired")
        << "expired" << "ca.pem" << true << "127.0.0.1" << false << "証明書の有効期限が 2021-01-01 に切れています";
    QTest::newRow("wrong name") << "wrongname" << "ca.pem" << true << "127.0.0.1" << false
                                << "証明書は wrong.example 向けで、接続先 127.0.0.1 とは一致しません";
    QTest::newRow("unknown CA") << "server" << "" << true << "127.0.0.1" << false << "発行者「wireProbeDesk Test CA」が不明です";
    QTest::newRow("expired, not verified")
        << "expired" << "ca.pem" << false << "127.0.0.1" << true << "証明書の有効期限が 2021-01-01 に切れています";
    QTest::newRow("wrong name, not verified") << "wrongname" << "ca.pem" << false << "localhost" << true
                                              << "証明書は wrong.example 向けで、接続先 localhost とは一致しません";
}

void TstTls::verification()
{
    QFETCH(QString, serverCert);
    QFETCH(QString, ca);
    QFETCH(bool, verify);
    QFETCH(QString, host);
    QFETCH(bool, through);
    QFETCH(QString, problem);
    TlsLoopbackServer server(serverCert);
    server.setAnswer("HTTP/1.0 200 OK\r\n\r\n<ok/>");
    TlsSettings s = trusting(ca);
    s.verify = verify;
    const QByteArray request = "POST / HTTP/1.0\r\n\r\n<Envelope>\0\xff</Envelope>";
    Client client(configuration(s, {}), host, server.port(), request);
    QTRY_VERIFY_WITH_TIMEOUT(client.done, 5000);
    if (through) {
        QTRY_COMPARE_WITH_TIMEOUT(server.received, request, 5000);
        QCOMPARE(client.response, QByteArray("HTTP/1.0 200 OK\r\n\r\n<ok/>"));
        const QString session = describeSession(client.session).join('\n');
        QVERIFY2(session.contains(QStringLiteral("プロトコル: TLS 1.")), qPrintable(session));
        const QSslCertificate presented = QSslCertificate::fromPath(testCert(serverCert + ".pem")).value(0);
        const QByteArray fingerprint = presented.digest(QCryptographicHash::Sha256).toHex(':').toUpper();
        QVERIFY2(session.contains(QString::fromLatin1(fingerprint)), qPrintable(session));
        QVERIFY(session.contains(QStringLiteral("〜 ") + presented.expiryDate().toUTC().date().toString(Qt::ISODate)));
    } else {
        QCOMPARE(server.received, QByteArray());
    }
    QCOMPARE(client.errors.isEmpty(), problem.isEmpty());
    const Failure f = verificationFailure(client.errors, host);
    QCOMPARE(f.number, VerifyFailed);
    QVERIFY2(f.description.contains(problem), qPrintable(f.description));
}

void TstTls::clientCertificate_data()
{
    QTest::addColumn<QString>("cert");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("with client certificate") << "client.p12" << true;
    QTest::newRow("without") << "" << false;
}

void TstTls::clientCertificate()
{
    QFETCH(QString, cert);
    QFETCH(bool, accepted);
    TlsLoopbackServer server(QStringLiteral("server"), true);
    TlsSettings s = trusting();
    s.certFile = cert.isEmpty() ? QString() : testCert(cert);
    Client client(configuration(s, [](const QString &) { return QByteArray("p12-test"); }), QStringLiteral("127.0.0.1"),
                  server.port(), "GET / HTTP/1.0\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(client.done, 5000);
    if (accepted) {
        QCOMPARE(server.received, QByteArray("GET / HTTP/1.0\r\n\r\n"));
        QCOMPARE(server.clientCertificates.value(0).subjectInfo(QSslCertificate::CommonName),
                 QStringList{"wireProbeDesk Test Client"});
        return;
    }
    // Qt's server drops the connection without an alert, so all the client
    // can see is that nothing was taken in and nothing came back.
    QCOMPARE(server.encrypted, 0);
    QCOMPARE(server.received, QByteArray());
    QCOMPARE(client.response, QByteArray());
}

void TstTls::refused_data()
{
    QTest::addColumn<QByteArray>("answer"); // to the ClientHello
    QTest::addColumn<QString>("reason");
    const QString clientCertificate = QStringLiteral("サーバがクライアント証明書を要求しています");
    QTest::newRow("plain HTTP") << QByteArray("HTTP/1.0 400 Bad Request\r\n\r\n") << "サーバは TLS で応答していません";
    QTest::newRow("handshake failure alert") << QByteArray("\x15\x03\x03\x00\x02\x02\x28", 7) << clientCertificate;
    QTest::newRow("certificate required alert") << QByteArray("\x15\x03\x03\x00\x02\x02\x74", 7) << clientCertificate;
    QTest::newRow("protocol version alert")
        << QByteArray("\x15\x03\x03\x00\x02\x02\x46", 7) << "共通の TLS のバージョンまたは暗号方式がありません";
}

void TstTls::refused()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, reason);
    QTcpServer plain;
    QVERIFY(plain.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&plain, &QTcpServer::newConnection, &plain, [&plain, answer] {
        QTcpSocket *s = plain.nextPendingConnection();
        QObject::connect(s, &QIODevice::readyRead, s, [s, answer] {
            s->readAll();
            s->write(answer);
            s->disconnectFromHost();
        });
    });
    Client client(configuration(trusting(), {}), QStringLiteral("127.0.0.1"), plain.serverPort(), "GET /\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(client.done, 5000);
    const QString qt = client.socket.errorString();
    const Failure f = handshakeFailure(qt);
    QCOMPARE(f.number, HandshakeFailed);
    QVERIFY2(f.description.contains(reason), qPrintable(f.description));
    QVERIFY(f.description.endsWith(qt));
}

void TstTls::tlsRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("tls");
    QTest::newRow("handshake TLS 1.0") << QByteArray("\x16\x03\x01\x02\x00", 5) << true;
    QTest::newRow("alert TLS 1.2") << QByteArray("\x15\x03\x03\x00\x02", 5) << true;
    QTest::newRow("handshake, unknown version") << QByteArray("\x16\x03\x05", 3) << false;
    QTest::newRow("application data") << QByteArray("\x17\x03\x03", 3) << false;
    QTest::newRow("too short") << QByteArray("\x16\x03", 2) << false;
    QTest::newRow("HTTP") << QByteArray("HTTP/1.0 400 Bad Request\r\n") << false;
}

void TstTls::tlsRecord()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, tls);
    QCOMPARE(looksLikeTlsRecord(bytes), tls);
}

QTEST_GUILESS_MAIN(TstTls)
#include "tst_tls.moc"
