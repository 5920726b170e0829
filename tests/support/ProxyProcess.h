#pragma once

#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

// A real proxy program on a loopback port, running as long as the object:
// tinyproxy (HTTP CONNECT) or microsocks (SOCKS5).
class ProxyProcess
{
public:
    // Why the program cannot be used, or empty.
    static QString missing(const QString &program);
    // CONNECT is allowed to connectPorts only (403 for others); with a user,
    // Basic authentication is required.
    static std::unique_ptr<ProxyProcess> tinyproxy(const QList<quint16> &connectPorts, const QString &user = {},
                                                   const QString &password = {});
    static std::unique_ptr<ProxyProcess> microsocks(const QString &user = {}, const QString &password = {});
    ~ProxyProcess();
    quint16 port() const { return m_port; }
    QByteArray log(); // what it has logged so far

private:
    ProxyProcess();
    void start(const QString &program, const QStringList &args);
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QByteArray m_log;
};
