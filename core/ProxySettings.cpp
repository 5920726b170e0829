#include "core/ProxySettings.h"

#include "core/FailureNumber.h"

#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ProxySettings)
};

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
    return Texts::tr("プロキシ %1@%2").arg(user, endpoint(host, port));
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

Failure ProxySettings::failure(qint32 number, const QString &words, const QString &destination) const
{
    QString text;
    if (number == FailureNumber::ProxyRefused)
        text = Texts::tr("プロキシが接続先への接続を断りました: %1（プロキシ %2、接続先 %3）")
                   .arg(words, label(), destination);
    else if (number == FailureNumber::ProxyUnreachable)
        text = Texts::tr("プロキシから接続先に接続できませんでした: %1（プロキシ %2、接続先 %3）")
                   .arg(words, label(), destination);
    else if (user.isEmpty())
        text = Texts::tr("プロキシが認証を求めています。ユーザー名を設定して下さい: %1（プロキシ %2）").arg(words, label());
    else
        text = Texts::tr("プロキシがユーザー名かパスワードを受け付けませんでした: %1（プロキシ %2）").arg(words, label());
    return {number, text};
}

Failure ProxySettings::socksFailure(QAbstractSocket::SocketError e, const QString &qtText, const QString &destination) const
{
    switch (e) {
    case QAbstractSocket::ProxyAuthenticationRequiredError:
        return failure(FailureNumber::ProxyAuthentication, qtText, destination);
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::UnsupportedSocketOperationError:
        return failure(FailureNumber::ProxyRefused, qtText, destination);
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
        return failure(FailureNumber::ProxyUnreachable, qtText, destination);
    default:
        // Reaching the proxy itself: Qt's own failure and words.
        return {static_cast<qint32>(FailureNumber::SocketBase + static_cast<int>(e)), qtText};
    }
}

Failure ProxySettings::httpFailure(int status, const QString &statusLine, const QString &page,
                                   const QString &destination) const
{
    FailureNumber::Number number = FailureNumber::ProxyRefused;
    switch (status) {
    case 401: // some proxies answer a wrong password so
    case 407:
        number = FailureNumber::ProxyAuthentication;
        break;
    case 404:
    case 500:
    case 502:
    case 503:
    case 504:
        number = FailureNumber::ProxyUnreachable;
        break;
    default:
        break;
    }
    Failure f = failure(number, statusLine, destination);
    // On one line, as the status line shows it.
    if (!page.isEmpty())
        f.description += QStringLiteral(" — ") + page;
    return f;
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
