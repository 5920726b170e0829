#include "TlsLoopbackServer.h"

#include <QFile>
#include <QSslKey>
#include <QSslSocket>
#include <memory>

QString testCertsDir()
{
    return QStringLiteral(WPD_TEST_CERTS);
}

QString testCert(const QString &file)
{
    return testCertsDir() + QLatin1Char('/') + file;
}

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
}

TlsLoopbackServer::TlsLoopbackServer(const QString &certName, bool requireClientCertificate)
{
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    c.setLocalCertificateChain(QSslCertificate::fromData(readAll(testCert(certName + QStringLiteral(".pem")))));
    c.setPrivateKey(QSslKey(readAll(testCert(certName + QStringLiteral(".key"))), QSsl::Rsa));
    if (requireClientCertificate) {
        c.setCaCertificates(QSslCertificate::fromData(readAll(testCert(QStringLiteral("ca.pem")))));
        c.setPeerVerifyMode(QSslSocket::VerifyPeer);
    } else {
        c.setPeerVerifyMode(QSslSocket::VerifyNone);
    }
    m_server.setSslConfiguration(c);
    // QSslServer hands a socket over only once its handshake is done.
    connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *s = m_server.nextPendingConnection())
            serve(static_cast<QSslSocket *>(s));
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

void TlsLoopbackServer::setAnswer(const QByteArray &answer, bool closeAfter)
{
    m_answer = answer;
    m_closeAfter = closeAfter;
}

void TlsLoopbackServer::serve(QSslSocket *s)
{
    ++encrypted;
    clientCertificates << s->peerCertificate();
    connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
    auto answered = std::make_shared<bool>(false);
    const auto onData = [this, s, answered] {
        received += s->readAll();
        if (*answered)
            return;
        *answered = true;
        s->write(m_answer);
        if (m_closeAfter)
            s->disconnectFromHost();
    };
    connect(s, &QIODevice::readyRead, this, onData);
    if (s->bytesAvailable() > 0)
        onData();
}
