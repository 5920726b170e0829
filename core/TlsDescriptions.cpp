// The Japanese words for TLS problems and sessions (declared in TlsSetup.h).
#include "core/FailureNumber.h"
#include "core/TlsSetup.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QHostAddress>
#include <QRegularExpression>
#include <QSslCipher>

namespace TlsSetup {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(TlsSetup)
};

QString isoDate(const QDateTime &t)
{
    return t.toUTC().date().toString(Qt::ISODate);
}

// The names a certificate is good for: its subject alternative names, or its
// common name when it has none.
QStringList certificateNames(const QSslCertificate &c)
{
    QStringList names;
    const auto alt = c.subjectAlternativeNames();
    for (auto it = alt.cbegin(); it != alt.cend(); ++it) {
        if (it.key() == QSsl::DnsEntry)
            names << it.value();
        else if (it.key() == QSsl::IpAddressEntry)
            names << QHostAddress(it.value()).toString();
    }
    if (names.isEmpty())
        names = c.subjectInfo(QSslCertificate::CommonName);
    names.removeDuplicates();
    return names;
}

QString distinguishedName(const QSslCertificate &c, bool issuer)
{
    QStringList parts;
    const QList<QByteArray> attributes = issuer ? c.issuerInfoAttributes() : c.subjectInfoAttributes();
    for (const QByteArray &a : attributes) {
        const QStringList values = issuer ? c.issuerInfo(a) : c.subjectInfo(a);
        for (const QString &v : values)
            parts << QString::fromLatin1(a) + QLatin1Char('=') + v;
    }
    return parts.join(QStringLiteral(", "));
}

QString issuerName(const QSslCertificate &c)
{
    const QStringList cn = c.issuerInfo(QSslCertificate::CommonName);
    return cn.isEmpty() ? distinguishedName(c, true) : cn.join(QStringLiteral(", "));
}

QString describeError(const QSslError &e, const QString &host)
{
    const QSslCertificate c = e.certificate();
    switch (e.error()) {
    case QSslError::SelfSignedCertificate:
        return Texts::tr("自己署名の証明書です（信頼された発行者の署名がありません）");
    case QSslError::SelfSignedCertificateInChain:
        return Texts::tr("証明書チェーンの中に信頼されていない自己署名の証明書があります");
    case QSslError::CertificateExpired:
        return Texts::tr("証明書の有効期限が %1 に切れています").arg(isoDate(c.expiryDate()));
    case QSslError::CertificateNotYetValid:
        return Texts::tr("証明書はまだ有効ではありません（有効期間の開始は %1）").arg(isoDate(c.effectiveDate()));
    case QSslError::HostNameMismatch: {
        const QString names = certificateNames(c).join(QStringLiteral(", "));
        return host.isEmpty() ? Texts::tr("証明書は %1 向けで、接続先とは一致しません").arg(names)
                              : Texts::tr("証明書は %1 向けで、接続先 %2 とは一致しません").arg(names, host);
    }
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
        return Texts::tr("証明書の発行者「%1」が不明です（信頼された CA 証明書の中に見つかりません）").arg(issuerName(c));
    case QSslError::CertificateUntrusted:
    case QSslError::CertificateRejected:
        return Texts::tr("証明書のルート CA が信頼されていません");
    case QSslError::CertificateRevoked:
        return Texts::tr("証明書は失効しています");
    case QSslError::NoPeerCertificate:
        return Texts::tr("サーバが証明書を送ってきませんでした");
    default:
        return e.errorString();
    }
}

} // namespace

QString describeErrors(const QList<QSslError> &errors, const QString &host)
{
    QStringList lines;
    for (const QSslError &e : errors) {
        const QString line = describeError(e, host);
        if (!lines.contains(line))
            lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

Failure verificationFailure(const QList<QSslError> &errors, const QString &host)
{
    return {FailureNumber::TlsVerify,
            Texts::tr("サーバの証明書を検証できませんでした。") + QLatin1Char('\n') + describeErrors(errors, host)};
}

Failure handshakeFailure(const QString &qtErrorString)
{
    const auto has = [&](const char *text) { return qtErrorString.contains(QLatin1String(text), Qt::CaseInsensitive); };
    // OpenSSL names a peer's alert "… alert <description>"; each alert is put
    // in words only as far as it says itself why.
    static const QRegularExpression alertName(QStringLiteral("alert ([a-z0-9 ]+)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch alert = alertName.match(qtErrorString.trimmed());
    QString why;
    if (has("wrong version number") || has("packet length too long") || has("unexpected eof")
        || has("record layer failure"))
        why = Texts::tr("サーバは TLS で応答していません（このポートは TLS なしの HTTP などではありませんか）。");
    else if (has("certificate required"))
        why = Texts::tr("サーバがクライアント証明書を要求しています。");
    else if (has("alert bad certificate") || has("alert unsupported certificate") || has("alert certificate unknown")
             || has("alert unknown ca") || has("alert certificate revoked") || has("alert certificate expired"))
        why = Texts::tr("サーバが送ったクライアント証明書を受け付けませんでした。");
    else if (has("no protocols available") || has("unsupported protocol") || has("protocol version"))
        why = Texts::tr("サーバと共通の TLS のバージョンがありません。");
    else if (has("no shared cipher") || has("no ciphers available") || has("insufficient security"))
        why = Texts::tr("サーバと共通の暗号方式がありません。");
    else if (has("alert handshake failure"))
        // Said for a missing common cipher, for a missing client certificate
        // (TLS 1.2) and more; the alert itself does not tell which.
        why = Texts::tr("サーバは、示された条件では暗号方式などの取り決めができないとして、ハンドシェイクを打ち切りました"
                        "（TLS アラート「handshake failure」）。");
    else if (alert.hasMatch())
        why = Texts::tr("サーバが TLS アラート「%1」でハンドシェイクを打ち切りました。").arg(alert.captured(1));
    return {FailureNumber::TlsHandshake, (why.isEmpty() ? Texts::tr("TLS のハンドシェイクに失敗しました。")
                                                        : Texts::tr("TLS のハンドシェイクに失敗しました。%1").arg(why))
                                             + QLatin1Char('\n') + qtErrorString};
}

bool looksLikeTlsRecord(QByteArrayView firstBytes)
{
    if (firstBytes.size() < 3)
        return false;
    const quint8 type = quint8(firstBytes[0]);
    return (type == 0x15 || type == 0x16) && quint8(firstBytes[1]) == 0x03 && quint8(firstBytes[2]) <= 0x04;
}

QStringList describeCertificate(const QSslCertificate &c)
{
    const QByteArray digest = c.digest(QCryptographicHash::Sha256).toHex(':').toUpper();
    QStringList lines{
        Texts::tr("サブジェクト: %1").arg(distinguishedName(c, false)),
        Texts::tr("発行者: %1").arg(distinguishedName(c, true)),
        Texts::tr("有効期間: %1 〜 %2").arg(isoDate(c.effectiveDate()), isoDate(c.expiryDate())),
    };
    const QStringList names = certificateNames(c);
    if (!c.subjectAlternativeNames().isEmpty())
        lines << Texts::tr("別名: %1").arg(names.join(QStringLiteral(", ")));
    lines << Texts::tr("SHA-256 フィンガープリント: %1").arg(QString::fromLatin1(digest));
    return lines;
}

QString protocolName(const QSslConfiguration &sessionConfig)
{
    switch (sessionConfig.sessionProtocol()) {
    case QSsl::TlsV1_2:
        return QStringLiteral("TLS 1.2");
    case QSsl::TlsV1_3:
        return QStringLiteral("TLS 1.3");
    default:
        return sessionConfig.sessionCipher().protocolString();
    }
}

QStringList describeSession(const QSslConfiguration &sessionConfig)
{
    QString protocol = protocolName(sessionConfig);
    if (protocol.isEmpty())
        protocol = Texts::tr("不明");
    const QString cipher = sessionConfig.sessionCipher().name();
    QStringList lines{Texts::tr("プロトコル: %1").arg(protocol),
                      Texts::tr("暗号方式: %1").arg(cipher.isEmpty() ? Texts::tr("不明") : cipher)};
    const QList<QSslCertificate> chain = sessionConfig.peerCertificateChain();
    for (qsizetype i = 0; i < chain.size(); ++i) {
        lines << Texts::tr("サーバ証明書 %1:").arg(i + 1);
        for (const QString &line : describeCertificate(chain[i]))
            lines << QStringLiteral("  ") + line;
    }
    return lines;
}

} // namespace TlsSetup
