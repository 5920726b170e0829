#pragma once

#include "core/Failure.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QNetworkProxy>
#include <QString>
#include <optional>

// The proxy an exchange goes through, if any. The password lives only in
// memory: asked for when a user name is given, never stored.
struct ProxySettings
{
    enum class Type { None, Http, Socks5 };

    Type type = Type::None;
    QString host;
    quint16 port = 0;
    QString user;
    std::optional<QByteArray> password;
    // SOCKS5 only: the proxy resolves the destination's name (socks5h);
    // otherwise it is resolved here and the proxy is given an address.
    bool remoteDns = true;

    bool used() const { return type != Type::None; }
    bool needsPassword() const { return used() && !user.isEmpty() && !password; }
    // "HTTP 127.0.0.1:3128", as failures and reports name the proxy.
    QString label() const;
    // The question asked for the password: "プロキシ alice@127.0.0.1:3128".
    QString passwordSubject() const;
    // How the proxy is given to Qt's socket: SOCKS5 only (an HTTP proxy's
    // CONNECT is our own, see HttpTunnel), NoProxy otherwise, so neither
    // the environment nor an application-wide proxy is used behind our back.
    QNetworkProxy qtProxy() const;
    // A failure Qt's SOCKS5 layer reported before the tunnel was up, in the
    // proxy's words (the meaning of its reply code), numbered by what it
    // means: refused (260), authentication (261), destination unreachable
    // (262). Failures to reach the proxy itself keep Qt's numbers.
    Failure socksFailure(QAbstractSocket::SocketError e, const QString &qtText, const QString &destination) const;
    // The failure for an HTTP status other than 2xx answered to CONNECT, with
    // the status line and what the proxy's page says.
    Failure httpFailure(int status, const QString &statusLine, const QString &page, const QString &destination) const;

    // "host:port", "[::1]:port".
    static QString endpoint(const QString &host, quint16 port);
    static QString typeName(Type t); // "none", "http", "socks5": the stored texts
    static Type typeFromName(const QString &name);

private:
    Failure failure(qint32 number, const QString &words, const QString &destination) const;
};
