#include "ProxyProcess.h"

#include "Loopback.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>

QString ProxyProcess::missing(const QString &program)
{
    return QStandardPaths::findExecutable(program).isEmpty()
               ? program + QStringLiteral(" is not installed (./dev.sh test installs it)")
               : QString();
}

ProxyProcess::ProxyProcess() : m_port(refusedPort())
{}

std::unique_ptr<ProxyProcess> ProxyProcess::tinyproxy(const QList<quint16> &connectPorts, const QString &user,
                                                      const QString &password)
{
    std::unique_ptr<ProxyProcess> p(new ProxyProcess);
    QByteArray config = "Port " + QByteArray::number(p->m_port) + "\nListen 127.0.0.1\nAllow 127.0.0.1\nLogLevel Info\n";
    for (quint16 port : connectPorts)
        config += "ConnectPort " + QByteArray::number(port) + '\n';
    if (!user.isEmpty())
        config += "BasicAuth " + user.toUtf8() + ' ' + password.toUtf8() + '\n';
    QFile f(p->m_dir.filePath(QStringLiteral("tinyproxy.conf")));
    if (!f.open(QIODevice::WriteOnly) || f.write(config) != config.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    f.close();
    p->start(QStringLiteral("tinyproxy"), {QStringLiteral("-d"), QStringLiteral("-c"), f.fileName()});
    return p;
}

std::unique_ptr<ProxyProcess> ProxyProcess::microsocks(const QString &user, const QString &password)
{
    std::unique_ptr<ProxyProcess> p(new ProxyProcess);
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
    // Ready once it accepts a connection.
    const bool listening = m_process.waitForStarted(5000) && QTest::qWaitFor([this] {
                               QTcpSocket probe;
                               probe.connectToHost(QHostAddress::LocalHost, m_port);
                               return probe.waitForConnected(200);
                           });
    if (!listening)
        qFatal("%s does not listen on port %d: %s", qPrintable(program), m_port, log().constData());
}

QByteArray ProxyProcess::log()
{
    return m_log += m_process.readAll();
}

ProxyProcess::~ProxyProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill(); // QProcess waits for it on the way out
}
