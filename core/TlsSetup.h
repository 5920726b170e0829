#pragma once

#include "core/Failure.h"
#include "core/TlsSettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The TLS building blocks of an exchange: the socket configuration made from
// the user's settings, and Japanese words for what goes wrong and for what was
// negotiated.
namespace TlsSetup {

// Asked for the password of an encrypted key or PKCS#12 file; nullopt when the
// user cancels. The answer is used once and dropped.
using PasswordPrompt = std::function<std::optional<QByteArray>(const QString &file)>;

// The client configuration for the settings: system CAs plus the CA file's,
// the client certificate and key if given, and the peer verify mode:
// VerifyPeer, or QueryPeer when verify is off, so the socket still emits
// sslErrors() (and keeps sslHandshakeErrors()) without stopping. Reads
// every file before anything connects; throws Failure{FailureNumber::TlsFile, ...} when
// one cannot be used.
QSslConfiguration configuration(const TlsSettings &s, const PasswordPrompt &ask);

// One line per distinct problem, in words a tester understands. host is the
// name or address the user connected to (for name mismatches).
QString describeErrors(const QList<QSslError> &errors, const QString &host = QString());

Failure verificationFailure(const QList<QSslError> &errors, const QString &host);

// Recognises the usual OpenSSL reasons in Qt's error text; keeps that text.
Failure handshakeFailure(const QString &qtErrorString);

// True when the bytes start like a TLS record (alert or handshake): the server
// speaks TLS and got plain text.
bool looksLikeTlsRecord(QByteArrayView firstBytes);

// Lines for a details view: subject, issuer, validity, SHA-256 fingerprint.
QStringList describeCertificate(const QSslCertificate &c);

// "TLS 1.3", or Qt's name for another protocol; empty when unknown.
QString protocolName(const QSslConfiguration &sessionConfig);

// Protocol, cipher and the peer's certificate chain of an established session.
QStringList describeSession(const QSslConfiguration &sessionConfig);

} // namespace TlsSetup
