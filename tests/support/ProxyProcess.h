#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A real proxy program on a loopback port, started for a test and stopped
// with it: tinyproxy (HTTP CONNECT) or microsocks (SOCKS5).
class ProxyProcess
{
public:
    // Why the program cannot be used (not installed), or empty.
    static QString missing(const QString &program);
    // CONNECT is allowed to connectPorts only (others are refused with 403);
    // with a user, Basic authentication is required.
    static std::unique_ptr<ProxyProcess> tinyproxy(const QList<quint16> &connectPorts, const QString &user = {},
                                                   const QString &password = {});
    static std::unique_ptr<ProxyProcess> microsocks(const QString &user = {}, const QString &password = {});
    ~ProxyProcess();

    quint16 port() const { return m_port; }
    // What the program has logged so far.
    QByteArray log();

private:
    ProxyProcess() = default;
    void start(const QString &program, const QStringList &args);

    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QByteArray m_log;
};
