#pragma once

#include "core/Failure.h"
#include "core/ProxySettings.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// A tunnel through an HTTP proxy: the CONNECT request, and the reading of the
// proxy's answer. Our own rather than Qt's, because Qt keeps the proxy's
// status line to itself (a refusal becomes "Proxy denied connection" or
// "Error communicating with HTTP proxy") and the user needs the proxy's words.
class HttpTunnel
{
public:
    enum class Step { Waiting, Open, Failed };

    // The CONNECT for host:port, with Basic credentials when the proxy has a
    // user. Throws Failure for a host name that cannot be written in a request.
    QByteArray begin(const ProxySettings &proxy, const QString &host, quint16 port);
    // Reads the proxy's answer from the socket as it arrives. A 2xx opens the
    // tunnel; only the answer is taken, so whatever follows it is the
    // destination's. Anything else fails, once the proxy's page (if any) is in.
    Step read(QIODevice &socket);
    // The proxy closed the connection before the tunnel opened.
    Step closed();
    bool waiting() const { return m_state == State::Header || m_state == State::Page; }
    const Failure &failure() const { return m_failure; }

private:
    enum class State { Idle, Header, Page, Open, Failed };
    void headerDone();
    Step fail(const Failure &f);
    Step refuse();

    ProxySettings m_proxy;
    QString m_destination;
    State m_state = State::Idle;
    QByteArray m_header;
    QByteArray m_page;
    qint64 m_pageLeft = -1; // -1: until the proxy closes
    QString m_statusLine;
    int m_status = 0;
    QByteArray m_contentType;
    Failure m_failure{0, QString()};
};
