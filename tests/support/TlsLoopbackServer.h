#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslServer>
#include <QString>

// The folder of the test certificates (WPD_TEST_CERTS from the build) and a
// file in it.
QString testCertsDir();
QString testCert(const QString &file);

// A TLS server on a loopback port, presenting one of the test certificates
// (name.pem / name.key). Each connection, once encrypted, waits for the
// request's first bytes, records them, sends the answer and closes (or stays
// open).
class TlsLoopbackServer : public QObject
{
public:
    explicit TlsLoopbackServer(const QString &certName, bool requireClientCertificate = false);
    quint16 port() const { return m_server.serverPort(); }
    void setAnswer(const QByteArray &answer, bool closeAfter = true);

    QByteArray received;                       // every byte received, over all connections
    int encrypted = 0;                         // connections whose handshake completed
    QList<QSslCertificate> clientCertificates; // the client certificate of each of them

private:
    void serve(QSslSocket *s);
    QSslServer m_server;
    QByteArray m_answer = "HTTP/1.0 200 OK\r\n\r\n";
    bool m_closeAfter = true;
};
