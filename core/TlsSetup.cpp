#include "core/TlsSetup.h"
QSslConfiguration TlsSetup::configuration(const TlsSettings &s, const PasswordPrompt &)
{
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    c.setPeerVerifyMode(s.verify ? QSslSocket::VerifyPeer : QSslSocket::VerifyNone);
    return c;
}
QString TlsSetup::describeErrors(const QList<QSslError> &errors, const QString &)
{
    QStringList l;
    for (const auto &e : errors) l << e.errorString();
    return l.join('\n');
}
Failure TlsSetup::verificationFailure(const QList<QSslError> &errors, const QString &host)
{
    return {VerifyFailed, describeErrors(errors, host)};
}
Failure TlsSetup::handshakeFailure(const QString &s) { return {HandshakeFailed, s}; }
bool TlsSetup::looksLikeTlsRecord(QByteArrayView b) { return b.size() >= 2 && (b[0] == 0x15 || b[0] == 0x16) && b[1] == 0x03; }
QStringList TlsSetup::describeSession(const QSslConfiguration &) { return {}; }
