// What TlsSetup says about files, refusals and certificates; whole exchanges
// over TLS are in tst_engine.
#include "Loopback.h"
#include "TlsLoopbackServer.h"
#include "core/FailureNumber.h"
#include "core/TlsSetup.h"

#include <QSslKey>
#include <QSslSocket>
#include <QTest>

using namespace TlsSetup;

namespace {

const QString Cancel = QStringLiteral("<cancel>");

// Connects with TLS to a loopback port; how that ended, in the user's words.
// Qt's own error text goes to qtText.
Failure handshake(const QString &ca, quint16 port, QString *qtText)
{
    QSslSocket socket;
    TlsSettings tls;
    tls.caFile = ca.isEmpty() ? ca : testCert(ca);
    socket.setSslConfiguration(configuration(tls, {}));
    QList<QSslError> errors;
    QObject::connect(&socket, &QSslSocket::sslErrors, &socket, [&errors](const QList<QSslError> &e) { errors = e; });
    socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), port);
    (void)QTest::qWaitFor([&] { return socket.isEncrypted() || socket.state() == QAbstractSocket::UnconnectedState; });
    *qtText = socket.errorString();
    return errors.isEmpty() ? handshakeFailure(*qtText) : verificationFailure(errors, QStringLiteral("127.0.0.1"));
}

} // namespace

class TstTls : public QObject
{
    Q_OBJECT

private slots:
    void files_data()
    {
        QTest::addColumn<QString>("ca");
        QTest::addColumn<QString>("cert");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("failure"); // empty = usable
        QTest::newRow("missing CA") << "nothing.pem"
                                    << "client.pem"
                                    << "client.key"
                                    << ""
                                    << "CA 証明書ファイルが見つかりません";
        QTest::newRow("CA not PEM") << "make-certs.sh"
                                    << ""
                                    << ""
                                    << ""
                                    << "CA 証明書ファイルに PEM 形式の証明書がありません";
        QTest::newRow("key as certificate") << ""
                                            << "client.key"
                                            << ""
                                            << ""
                                            << "クライアント証明書ファイルに証明書がありません";
        QTest::newRow("no key") << ""
                                << "client.pem"
                                << ""
                                << ""
                                << "秘密鍵ファイルが指定されていません";
        QTest::newRow("key not matching") << ""
                                          << "client.pem"
                                          << "server.key"
                                          << ""
                                          << "秘密鍵がクライアント証明書と一致しません";
        QTest::newRow("key wrong password") << ""
                                            << "client.pem"
                                            << "client-encrypted.key"
                                            << "nope"
                                            << "秘密鍵のパスワードが違います";
        QTest::newRow("key prompt cancelled") << ""
                                              << "client.pem"
                                              << "client-encrypted.key" << Cancel << "取り消された";
        QTest::newRow("PKCS#12 wrong password") << ""
                                                << "client.p12"
                                                << ""
                                                << "nope"
                                                << "クライアント証明書のパスワードが違います";
        QTest::newRow("PEM pair") << "ca.pem"
                                  << "client.pem"
                                  << "client.key"
                                  << ""
                                  << "";
        QTest::newRow("encrypted key") << ""
                                       << "client.pem"
                                       << "client-encrypted.key"
                                       << "key-test"
                                       << "";
        QTest::newRow("PKCS#12") << ""
                                 << "client.p12"
                                 << ""
                                 << "p12-test"
                                 << "";
    }
    void files()
    {
        QFETCH(QString, ca);
        QFETCH(QString, cert);
        QFETCH(QString, key);
        QFETCH(QString, password);
        QFETCH(QString, failure);
        const auto path = [](const QString &f) { return f.isEmpty() ? f : testCert(f); };
        const TlsSettings s{false, true, path(ca), path(cert), path(key)};
        int asked = 0;
        const PasswordPrompt ask = [&](const QString &) -> std::optional<QByteArray> {
            ++asked;
            return password == Cancel ? std::nullopt : std::optional<QByteArray>(password.toUtf8());
        };
        try {
            const QSslConfiguration c = configuration(s, ask);
            QVERIFY2(failure.isEmpty(), "a usable configuration from unusable files");
            QCOMPARE(c.localCertificate().subjectInfo(QSslCertificate::CommonName),
                     QStringList{"wireProbeDesk Test Client"});
            QVERIFY(!c.privateKey().isNull());
            QCOMPARE(asked, password.isEmpty() ? 0 : 1);
        } catch (const Failure &f) {
            QVERIFY2(!failure.isEmpty() && f.description.contains(failure), qPrintable(f.description));
            QCOMPARE(f.number, FailureNumber::TlsFile);
        }
    }

    // Qt's errors and a refusing server's alerts become words a tester
    // understands.
    void refusals_data()
    {
        QTest::addColumn<QString>("serverCert");
        QTest::addColumn<QString>("ca");
        QTest::addColumn<QByteArray>("answer"); // a plain server's to the ClientHello, if any
        QTest::addColumn<QString>("words");
        const QString clientCertificate = QStringLiteral("サーバがクライアント証明書を要求しています");
        // Sent for a missing common cipher as much as for a missing client
        // certificate: the words say only what the alert says.
        const QString ownWords = QStringLiteral("ハンドシェイクを打ち切りました（TLS アラート「handshake failure」）");
        QTest::newRow("unknown CA") << "server"
                                    << "" << QByteArray() << "発行者「wireProbeDesk Test CA」が不明です";
        QTest::newRow("wrong name") << "wrongname"
                                    << "ca.pem" << QByteArray()
                                    << "証明書は wrong.example 向けで、接続先 127.0.0.1 とは一致しません";
        QTest::newRow("plain HTTP") << ""
                                    << "" << QByteArray("HTTP/1.0 400 Bad Request\r\n\r\n")
                                    << "サーバは TLS で応答していません";
        QTest::newRow("handshake failure alert") << ""
                                                 << "" << QByteArray("\x15\x03\x03\x00\x02\x02\x28", 7) << ownWords;
        QTest::newRow("certificate required alert")
            << ""
            << "" << QByteArray("\x15\x03\x03\x00\x02\x02\x74", 7) << clientCertificate;
        QTest::newRow("protocol version alert")
            << ""
            << "" << QByteArray("\x15\x03\x03\x00\x02\x02\x46", 7) << "共通の TLS のバージョンがありません";
        QTest::newRow("insufficient security alert")
            << ""
            << "" << QByteArray("\x15\x03\x03\x00\x02\x02\x47", 7) << "共通の暗号方式がありません";
        QTest::newRow("other alert, named")
            << ""
            << "" << QByteArray("\x15\x03\x03\x00\x02\x02\x31", 7) << "TLS アラート「access denied」";
    }
    void refusals()
    {
        QFETCH(QString, serverCert);
        QFETCH(QString, ca);
        QFETCH(QByteArray, answer);
        QFETCH(QString, words);
        LoopbackServer plain(Scripts::answerAndClose({answer}));
        TlsLoopbackServer tls(serverCert.isEmpty() ? QStringLiteral("server") : serverCert);
        QString qt;
        const Failure f = handshake(ca, answer.isEmpty() ? tls.port() : plain.port(), &qt);
        QCOMPARE(f.number, answer.isEmpty() ? FailureNumber::TlsVerify : FailureNumber::TlsHandshake);
        QVERIFY2(f.description.contains(words), qPrintable(f.description));
        QVERIFY2(answer.isEmpty() || f.description.endsWith(qt), qPrintable(f.description));
    }

    void tlsRecord_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("tls");
        QTest::newRow("handshake TLS 1.0") << QByteArray("\x16\x03\x01\x02\x00", 5) << true;
        QTest::newRow("alert TLS 1.2") << QByteArray("\x15\x03\x03\x00\x02", 5) << true;
        QTest::newRow("unknown version") << QByteArray("\x16\x03\x05", 3) << false;
        QTest::newRow("application data") << QByteArray("\x17\x03\x03", 3) << false;
        QTest::newRow("too short") << QByteArray("\x16\x03", 2) << false;
        QTest::newRow("HTTP") << QByteArray("HTTP/1.0 400") << false;
    }
    void tlsRecord()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, tls);
        QCOMPARE(looksLikeTlsRecord(bytes), tls);
    }
};

QTEST_GUILESS_MAIN(TstTls)
#include "tst_tls.moc"
