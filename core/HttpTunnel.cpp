#include "core/HttpTunnel.h"

#include "core/FailureNumber.h"
#include "core/Translation.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QIODevice>
#include <QRegularExpression>
#include <QUrl>

namespace {

constexpr qsizetype MaxHeader = 64 * 1024;
constexpr qsizetype MaxPage = 16 * 1024;
constexpr qsizetype MaxWords = 300;

QString qtText(const char *text)
{
    return Translation::qtText("QHttpSocketEngine", text);
}

// The authority of the request line: an IPv6 address in brackets, a name in
// its ASCII form. Anything that could end the line or the field is refused,
// as a direct connection would refuse the name.
QByteArray authority(const QString &host, quint16 port)
{
    const QByteArray tail = ':' + QByteArray::number(port);
    QHostAddress address;
    if (address.setAddress(host))
        return (address.protocol() == QAbstractSocket::IPv6Protocol ? '[' + address.toString().toLatin1() + ']'
                                                                    : address.toString().toLatin1())
               + tail;
    const QByteArray name = QUrl::toAce(host);
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9._-]+$"));
    if (name.isEmpty() || !safe.match(QString::fromLatin1(name)).hasMatch())
        throw Failure{FailureNumber::SocketBase + QAbstractSocket::HostNotFoundError,
                      Translation::qtText("QAbstractSocket", "Host not found")};
    return name + tail;
}

// What a proxy's error page says, as one short line of text.
QString pageWords(const QByteArray &page, const QByteArray &contentType)
{
    const QByteArray type = contentType.toLower();
    if (page.isEmpty() || !type.startsWith("text/"))
        return QString();
    QString t = QString::fromUtf8(page);
    if (type.contains("html")) {
        static const QRegularExpression hidden(QStringLiteral("<(head|script|style)\\b.*?</\\1\\s*>"),
                                               QRegularExpression::CaseInsensitiveOption
                                                   | QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
        t.remove(hidden).replace(tag, QStringLiteral(" "));
        t.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&#39;"), QLatin1String("'"))
            .replace(QLatin1String("&nbsp;"), QLatin1String(" "))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
    }
    t = t.simplified();
    if (t.size() > MaxWords)
        t = t.left(MaxWords) + QStringLiteral("…");
    return t;
}

} // namespace

QByteArray HttpTunnel::begin(const ProxySettings &proxy, const QString &host, quint16 port)
{
    const QByteArray target = authority(host, port);
    m_proxy = proxy;
    m_destination = ProxySettings::endpoint(host, port);
    m_state = State::Header;
    m_header.clear();
    m_page.clear();
    m_pageLeft = -1;
    m_status = 0;
    m_statusLine.clear();
    m_contentType.clear();
    m_failure = Failure{0, QString()};
    QByteArray request = "CONNECT " + target + " HTTP/1.1\r\nHost: " + target + "\r\n";
    if (!proxy.user.isEmpty())
        request += "Proxy-Authorization: Basic "
                   + (proxy.user.toUtf8() + ':' + proxy.password.value_or(QByteArray())).toBase64() + "\r\n";
    return request + "\r\n";
}

HttpTunnel::Step HttpTunnel::read(QIODevice &socket)
{
    while (m_state == State::Header) {
        if (!socket.canReadLine()) {
            if (m_header.size() + socket.bytesAvailable() > MaxHeader)
                return fail({FailureNumber::SocketBase + QAbstractSocket::ProxyProtocolError,
                             qtText("Did not receive HTTP response from proxy")});
            return Step::Waiting;
        }
        const QByteArray line = socket.readLine(MaxHeader);
        m_header += line;
        if (!m_header.startsWith("HTTP/") && m_header.size() >= 5)
            return fail({FailureNumber::SocketBase + QAbstractSocket::ProxyProtocolError,
                         qtText("Did not receive HTTP response from proxy")});
        if (line == "\r\n" || line == "\n")
            headerDone();
    }
    if (m_state == State::Page) {
        const qint64 room = MaxPage - m_page.size();
        m_page += socket.read(m_pageLeft < 0 ? room : qMin(room, m_pageLeft - m_page.size()));
        if (m_page.size() >= MaxPage || (m_pageLeft >= 0 && m_page.size() >= m_pageLeft))
            return refuse();
    }
    switch (m_state) {
    case State::Open:
        return Step::Open;
    case State::Failed:
        return Step::Failed;
    default:
        return Step::Waiting;
    }
}

void HttpTunnel::headerDone()
{
    const QList<QByteArray> lines = m_header.split('\n');
    m_statusLine = QString::fromUtf8(lines.first().trimmed());
    const QList<QByteArray> parts = lines.first().simplified().split(' ');
    bool ok = false;
    m_status = parts.value(1).toInt(&ok);
    if (!ok || parts.size() < 2) {
        fail({FailureNumber::SocketBase + QAbstractSocket::ProxyProtocolError,
              qtText("Did not receive HTTP response from proxy")});
        return;
    }
    if (m_status >= 100 && m_status < 200) {
        m_header.clear(); // an interim answer; the real one follows
        return;
    }
    if (m_status >= 200 && m_status < 300) {
        m_state = State::Open;
        return;
    }
    // A refusal: its page is read for the proxy's words, when its end can be known.
    bool chunked = false;
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            const qint64 n = value.toLongLong(&ok);
            m_pageLeft = ok && n >= 0 ? n : -1;
        } else if (name == "content-type") {
            m_contentType = value;
        } else if (name == "transfer-encoding") {
            chunked = true;
        }
    }
    m_state = State::Page;
    if (chunked || m_pageLeft == 0)
        refuse();
}

HttpTunnel::Step HttpTunnel::closed()
{
    if (m_state == State::Page)
        return refuse();
    if (m_state == State::Header)
        return fail({FailureNumber::SocketBase + QAbstractSocket::ProxyConnectionClosedError,
                     qtText("Proxy connection closed prematurely")});
    return m_state == State::Failed ? Step::Failed : Step::Open;
}

HttpTunnel::Step HttpTunnel::refuse()
{
    return fail(m_proxy.httpFailure(m_status, m_statusLine, pageWords(m_page, m_contentType), m_destination));
}

HttpTunnel::Step HttpTunnel::fail(const Failure &f)
{
    m_state = State::Failed;
    m_failure = f;
    return Step::Failed;
}
