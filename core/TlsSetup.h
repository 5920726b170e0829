#pragma once
// placeholder until the TLS branch lands
#include "core/Failure.h"
#include "core/TlsSettings.h"
#include <QByteArray>
#include <QList>
#include <QSslConfiguration>
#include <QSslError>
#include <functional>
#include <optional>
namespace TlsSetup {
constexpr qint32 VerifyFailed = 300;
constexpr qint32 HandshakeFailed = 301;
constexpr qint32 FileFailed = 302;
using PasswordPrompt = std::function<std::optional<QByteArray>(const QString &file)>;
QSslConfiguration configuration(const TlsSettings &s, const PasswordPrompt &ask);
Failure verificationFailure(const QList<QSslError> &errors, const QString &host);
Failure handshakeFailure(const QString &qtErrorString);
bool looksLikeTlsRecord(QByteArrayView firstBytes);
QStringList describeSession(const QSslConfiguration &sessionConfig);
QString describeErrors(const QList<QSslError> &errors, const QString &host);
}
