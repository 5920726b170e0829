#include "cli/JsonReport.h"

#include "cli/QtMessages.h"
#include "core/ExchangeEngine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue ms(double v)
{
    return v < 0 ? QJsonValue() : QJsonValue(v);
}

QJsonValue failure(const std::optional<Failure> &f)
{
    if (!f)
        return QJsonValue();
    return QJsonObject{{QStringLiteral("number"), f->number}, {QStringLiteral("description"), f->description}};
}

} // namespace

QByteArray jsonReport(const ExchangeFacts &facts, const ExchangeEngine &engine)
{
    const ExchangeTimings &t = engine.timings();
    const HttpFraming &framing = engine.framing();
    const bool http = framing.isHttp();
    const auto httpOnly = [http](qint64 v) { return http ? QJsonValue(double(v)) : QJsonValue(); };

    QJsonObject o;
    o[QStringLiteral("host")] = facts.host;
    o[QStringLiteral("port")] = facts.port ? QJsonValue(*facts.port) : QJsonValue();
    o[QStringLiteral("tls")] = facts.tls;
    if (facts.proxy.used())
        o[QStringLiteral("proxy")] = QJsonObject{
            {QStringLiteral("type"), ProxySettings::typeName(facts.proxy.type)},
            {QStringLiteral("host"), facts.proxy.host},
            {QStringLiteral("port"), facts.proxy.port},
            {QStringLiteral("remote_dns"),
             facts.proxy.type == ProxySettings::Type::Socks5 ? QJsonValue(facts.proxy.remoteDns) : QJsonValue()}};
    else
        o[QStringLiteral("proxy")] = QJsonValue();
    o[QStringLiteral("outcome")] = facts.outcome;
    o[QStringLiteral("failure")] = failure(facts.failure);
    o[QStringLiteral("output_failure")] = failure(facts.outputFailure);
    o[QStringLiteral("exit_status")] = facts.exitStatus;
    o[QStringLiteral("timings_ms")] = QJsonObject{{QStringLiteral("resolved"), ms(t.resolved)},
                                                  {QStringLiteral("proxy"), ms(t.proxyConnected)},
                                                  {QStringLiteral("connected"), ms(t.connected)},
                                                  {QStringLiteral("tls"), ms(t.tlsDone)},
                                                  {QStringLiteral("sent"), ms(t.requestSent)},
                                                  {QStringLiteral("first_byte"), ms(t.firstByte)},
                                                  {QStringLiteral("end"), ms(t.end)}};
    o[QStringLiteral("bytes")] = QJsonObject{{QStringLiteral("request"), double(engine.requestBytesSent())},
                                             {QStringLiteral("response"), double(engine.receivedBytes())},
                                             {QStringLiteral("header"), httpOnly(framing.headerBytes())},
                                             {QStringLiteral("body"), httpOnly(framing.bodyBytes())}};
    if (http) {
        const HttpDiagnosis d = framing.diagnosis();
        o[QStringLiteral("http")] = QJsonObject{
            {QStringLiteral("status"), d.statusCode ? QJsonValue(d.statusCode) : QJsonValue()},
            {QStringLiteral("content_length"), d.contentLength ? QJsonValue(double(*d.contentLength)) : QJsonValue()},
            {QStringLiteral("chunked"), d.chunked},
            {QStringLiteral("complete"), framing.finalResponseComplete()}};
    } else {
        o[QStringLiteral("http")] = QJsonValue();
    }
    if (facts.tlsEstablished)
        o[QStringLiteral("tls_session")] = QJsonObject{{QStringLiteral("protocol"), facts.tlsProtocol},
                                                       {QStringLiteral("cipher"), facts.tlsCipher},
                                                       {QStringLiteral("verified"), facts.tlsVerified}};
    else
        o[QStringLiteral("tls_session")] = QJsonValue();
    // Qt's own warnings (e.g. about a PKCS#12 file), which are not printed beside the object.
    o[QStringLiteral("messages")] = QJsonArray::fromStringList(QtMessages::kept());
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
