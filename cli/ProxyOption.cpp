#include "cli/ProxyOption.h"

#include "cli/SendOptions.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QRegularExpression>
#include <QUrl>

namespace {

constexpr quint16 DefaultPort = 1080; // as curl assumes

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ProxyOption)
};

// The first of the variables that is set and not empty, and its name.
std::optional<std::pair<QString, QString>> environment(const char *lower, const char *upper)
{
    for (const char *name : {lower, upper}) {
        const QString value = qEnvironmentVariable(name).trimmed();
        if (!value.isEmpty())
            return std::pair{QString::fromLatin1(name), value};
    }
    return std::nullopt;
}

} // namespace

ProxySettings ProxyOption::parse(const QString &text)
{
    const QString t = text.trimmed();
    const QUrl url(t.contains(QLatin1String("://")) ? t : QStringLiteral("http://") + t, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    ProxySettings p;
    if (scheme == QLatin1String("http")) {
        p.type = ProxySettings::Type::Http;
    } else if (scheme == QLatin1String("socks5") || scheme == QLatin1String("socks5h")) {
        p.type = ProxySettings::Type::Socks5;
        p.remoteDns = scheme == QLatin1String("socks5h");
    } else {
        throw UsageError{
            Texts::tr("使えないプロキシの種類です（http://、socks5://、socks5h:// が使えます）: %1").arg(text)};
    }
    if (!url.isValid() || url.host().isEmpty())
        throw UsageError{Texts::tr("プロキシの URL が正しくありません: %1").arg(text)};
    p.host = url.host();
    p.port = static_cast<quint16>(url.port(DefaultPort));
    if (p.port == 0)
        throw UsageError{Texts::tr("プロキシのポート番号は1から65535の範囲で指定して下さい: %1").arg(text)};
    p.user = url.userName(QUrl::FullyDecoded);
    // "user:@host" is an empty password; "user@host" asks for one.
    if (!url.password().isNull() || url.userInfo().endsWith(QLatin1Char(':')))
        p.password = url.password(QUrl::FullyDecoded).toUtf8();
    return p;
}

bool ProxyOption::bypassed(const QString &host, const QString &list)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QString h = host.trimmed().toLower();
    const QHostAddress address(h.startsWith(QLatin1Char('[')) ? h.mid(1).chopped(1) : h);
    for (QString entry : list.toLower().split(separators, Qt::SkipEmptyParts)) {
        if (entry == QLatin1String("*"))
            return true;
        if (!address.isNull()) {
            if (entry.startsWith(QLatin1Char('[')) && entry.endsWith(QLatin1Char(']')))
                entry = entry.mid(1).chopped(1);
            if (QHostAddress(entry) == address)
                return true;
            continue;
        }
        if (entry.startsWith(QLatin1Char('.')))
            entry.remove(0, 1);
        if (!entry.isEmpty() && (h == entry || h.endsWith(QLatin1Char('.') + entry)))
            return true;
    }
    return false;
}

ProxySettings ProxyOption::choose(const std::optional<QString> &proxy, const std::optional<QString> &noProxy,
                                  const QString &host)
{
    ProxySettings chosen;
    if (proxy) {
        if (!proxy->trimmed().isEmpty())
            chosen = parse(*proxy);
    } else if (const auto env = environment("all_proxy", "ALL_PROXY")) {
        try {
            chosen = parse(env->second);
        } catch (const UsageError &e) {
            throw UsageError{Texts::tr("環境変数 %1: %2").arg(env->first, e.text)};
        }
    }
    if (!chosen.used())
        return chosen;
    QString list;
    if (noProxy)
        list = *noProxy;
    else if (const auto env = environment("no_proxy", "NO_PROXY"))
        list = env->second;
    return bypassed(host, list) ? ProxySettings() : chosen;
}
