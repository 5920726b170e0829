#include "ProxyProcess.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

quint16 freePort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

} // namespace

QString ProxyProcess::missing(const QString &program)
{
    if (!QStandardPaths::findExecutable(program).isEmpty()
        || !QStandardPaths::findExecutable(program, {QStringLiteral("/usr/bin"), QStringLiteral("/usr/sbin")}).isEmpty())
        return QString();
    return program + QStringLiteral(" is not installed (./dev.sh test installs it)");
}

std::unique_ptr<ProxyProcess> ProxyProcess::tinyproxy(const QList<quint16> &connectPorts, const QString &user,
                                                      const QString &password)
{
    std::unique_ptr<ProxyProcess> p(new ProxyProcess);
    p->m_port = freePort();
    QByteArray config = "Port " + QByteArray::number(p->m_port) + "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\n"
                        "MaxClients 20\nLogLevel Info\n";
    for (quint16 port : connectPorts)
        config += "ConnectPort " + QByteArray::number(port) + '\n';
    if (!user.isEmpty())
        config += "BasicAuth " + user.toUtf8() + ' ' + password.toUtf8() + '\n';
    const QString path = p->m_dir.filePath(QStringLiteral("tinyproxy.conf"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(config) != config.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    p->start(QStringLiteral("tinyproxy"), {QStringLiteral("-d"), QStringLiteral("-c"), path});
    return p;
}

std::unique_ptr<ProxyProcess> ProxyProcess::microsocks(const QString &user, const QString &password)
{
    std::unique_ptr<ProxyProcess> p(new ProxyProcess);
    p->m_port = freePort();
    QStringList args{QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(p->m_port)};
    if (!user.isEmpty())
        args << QStringLiteral("-u") << user << QStringLiteral("-P") << password;
    p->start(QStringLiteral("microsocks"), args);
    return p;
}

void ProxyProcess::start(const QString &program, const QStringList &args)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, args);
    if (!m_process.waitForStarted(5000))
        qFatal("cannot start %s", qPrintable(program));
    // Ready once it accepts a connection.
    const bool listening = QTest::qWaitFor(
        [this] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, m_port);
            return probe.waitForConnected(200);
        },
        5000);
    if (!listening)
        qFatal("%s does not listen on port %d: %s", qPrintable(program), m_port, log().constData());
}

QByteArray ProxyProcess::log()
{
    m_log += m_process.readAll();
    return m_log;
}

ProxyProcess::~ProxyProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished(3000);
}
