#include "core/ProxySettings.h"

#include "core/FailureNumber.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ProxySettings", text);
}

} // namespace

QString ProxySettings::endpoint(const QString &host, quint16 port)
{
    return (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host) + QLatin1Char(':')
           + QString::number(port);
}

QString ProxySettings::label() const
{
    const QString kind = type == Type::Http ? QStringLiteral("HTTP") : QStringLiteral("SOCKS5");
    return kind + QLatin1Char(' ') + endpoint(host, port);
}

QString ProxySettings::passwordSubject() const
{
    return tr("プロキシ %1@%2").arg(user, endpoint(host, port));
}

QNetworkProxy ProxySettings::qtProxy() const
{
    if (type != Type::Socks5)
        return QNetworkProxy(QNetworkProxy::NoProxy);
    QNetworkProxy p(QNetworkProxy::Socks5Proxy, host, port, user, password ? QString::fromUtf8(*password) : QString());
    // Qt lets a SOCKS5 proxy resolve names unless told otherwise.
    if (!remoteDns)
        p.setCapabilities(p.capabilities() & ~QNetworkProxy::HostNameLookupCapability);
    return p;
}

Failure ProxySettings::socksFailure(QAbstractSocket::SocketError e, const QString &qtText, const QString &destination) const
{
    switch (e) {
    case QAbstractSocket::ProxyAuthenticationRequiredError:
        return {FailureNumber::ProxyAuthentication,
                tr("プロキシ %1 の認証に失敗しました。ユーザー名とパスワードを確かめて下さい: %2").arg(label(), qtText)};
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::UnsupportedSocketOperationError:
        return {FailureNumber::ProxyRefused, tr("プロキシ %1 が接続先 %2 への接続を断りました: %3").arg(label(), destination, qtText)};
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
        return {FailureNumber::ProxyUnreachable,
                tr("プロキシ %1 から接続先 %2 に接続できませんでした: %3").arg(label(), destination, qtText)};
    default:
        // Reaching the proxy itself: Qt's own failure and words.
        return {static_cast<qint32>(FailureNumber::SocketBase + static_cast<int>(e)), qtText};
    }
}

Failure ProxySettings::httpFailure(int status, const QString &words, const QString &destination) const
{
    switch (status) {
    case 401: // some proxies answer a wrong password so
    case 407:
        return {FailureNumber::ProxyAuthentication,
                tr("プロキシ %1 が認証を求めています。ユーザー名とパスワードを確かめて下さい: %2").arg(label(), words)};
    case 404:
    case 500:
    case 502:
    case 503:
    case 504:
        return {FailureNumber::ProxyUnreachable,
                tr("プロキシ %1 から接続先 %2 に接続できませんでした: %3").arg(label(), destination, words)};
    default:
        return {FailureNumber::ProxyRefused, tr("プロキシ %1 が接続先 %2 への接続を断りました: %3").arg(label(), destination, words)};
    }
}

QString ProxySettings::typeName(Type t)
{
    switch (t) {
    case Type::Http:
        return QStringLiteral("http");
    case Type::Socks5:
        return QStringLiteral("socks5");
    case Type::None:
        break;
    }
    return QStringLiteral("none");
}

ProxySettings::Type ProxySettings::typeFromName(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("http"))
        return Type::Http;
    if (n == QLatin1String("socks5"))
        return Type::Socks5;
    return Type::None;
}
