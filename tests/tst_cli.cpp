#include "TlsLoopbackServer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A loopback server: once the request's first bytes are in, it answers and
// closes, answers and stays open, or never answers.
class Server : public QObject
{
public:
    enum Mode { Close, KeepOpen, Silent };
    Server(const QByteArray &answer, Mode mode)
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this, answer, mode] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QIODevice::readyRead, this, [this, s, answer, mode] {
                    received += s->readAll();
                    if (answered || mode == Silent)
                        return;
                    answered = true;
                    s->write(answer);
                    if (mode == Close)
                        s->disconnectFromHost();
                });
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString port() const { return QString::number(m_server.serverPort()); }
    QByteArray received;
    bool answered = false;

private:
    QTcpServer m_server;
};

QString refusedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return QString::number(s.serverPort());
}

struct Result
{
    int status = -1; // -1: did not end by itself in time, or crashed
    QByteArray out;
    QByteArray err;
    qint64 ms = 0;
};

// Runs the program while this process's event loop serves it; bounded.
Result send(const QStringList &args, const QByteArray &input = {}, const std::function<void(QProcess &)> &prepare = {})
{
    QProcess p;
    if (prepare)
        prepare(p);
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(WPD_SEND), args);
    if (!p.waitForStarted(5000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    QDeadlineTimer deadline(20000);
    while (p.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(5);
    Result r;
    r.ms = clock.elapsed();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(2000);
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

const QByteArray HttpAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

} // namespace

class TstCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void requestSources_data();
    void requestSources();
    void responseBytes_data();
    void responseBytes();
    void outputFile_data();
    void outputFile();
    void exitStatus_data();
    void exitStatus();
    void json();
    void httpEnd();
    void tls_data();
    void tls();
    void interrupted();

private:
    QString file(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return f.fileName();
    }
    QTemporaryDir m_dir;
};

void TstCli::requestSources_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("wire");
    const QByteArray text = "POST / HTTP/1.0\nA: b\r\n\r\nx\r\xff\0y"_qba;
    QTest::newRow("line rules") << "" << "POST / HTTP/1.0\nA: b\r\n\r\nx\r\n\xff\0y\r\n"_qba;
    QTest::newRow("--crlf") << "--crlf" << "POST / HTTP/1.0\r\nA: b\r\n\r\nx\r\n\xff\0y\r\n"_qba;
    QTest::newRow("--binary") << "--binary" << text;
    QTest::newRow("--fix-content-length")
        << "--fix-content-length" << "POST / HTTP/1.0\nA: b\r\nContent-Length: 8\r\n\r\nx\r\n\xff\0y\r\n"_qba;
}

void TstCli::requestSources()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, wire);
    const QByteArray text = "POST / HTTP/1.0\nA: b\r\n\r\nx\r\xff\0y"_qba;
    const QString path = file(QStringLiteral("request.txt"), text);
    for (const QString &source : {path, QStringLiteral("-")}) {
        Server server("ok", Server::Close);
        QStringList args{QStringLiteral("127.0.0.1"), server.port(), source};
        if (!option.isEmpty())
            args.prepend(option);
        const Result r = send(args, source == path ? QByteArray() : text);
        QCOMPARE(r.status, 0);
        QTRY_COMPARE_WITH_TIMEOUT(server.received, wire, 5000);
        QCOMPARE(r.out, QByteArray("ok"));
    }
}

void TstCli::responseBytes_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("NUL and 0xFF") << "\0\xff\0\r\n\xfe"_qba;
    QTest::newRow("invalid UTF-8") << "<a>\xc3\x28\xe2\x82</a>\xf0\x9f"_qba;
    QTest::newRow("Shift_JIS") << "HTTP/1.0 200 OK\r\n\r\n\x93\xfa\x96\x7b\x8c\xea\x5c\r"_qba;
    QTest::newRow("1 MiB in pieces") << QByteArray(1 << 20, '\x80');
}

void TstCli::responseBytes()
{
    QFETCH(QByteArray, answer);
    Server server(answer, Server::Close);
    const Result r = send({QStringLiteral("127.0.0.1"), server.port()}, "GET / HTTP/1.0\n\n");
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.size(), answer.size());
    QVERIFY(r.out == answer);
    QCOMPARE(r.err, QByteArray());
}

void TstCli::outputFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<qint64>("sizeLimit"); // 0: none
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("content"); // of the target afterwards
    const QByteArray answer(64 * 1024, 'r');
    QTest::newRow("written") << "out.bin" << qint64(0) << 0 << answer;
    QTest::newRow("file size limit keeps the old file") << "out.bin" << qint64(4096) << 5 << QByteArray("old");
    QTest::newRow("missing folder") << "missing/out.bin" << qint64(0) << 5 << QByteArray();
}

void TstCli::outputFile()
{
    QFETCH(QString, target);
    QFETCH(qint64, sizeLimit);
    QFETCH(int, status);
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(target);
    QFile::remove(path);
    if (!target.contains(QLatin1Char('/')))
        file(target, "old");
    Server server(QByteArray(64 * 1024, 'r'), Server::Close);
    const Result r = send({QStringLiteral("-o"), path, QStringLiteral("127.0.0.1"), server.port()}, "GET /\n",
                          [sizeLimit](QProcess &p) {
                              if (sizeLimit)
                                  p.setChildProcessModifier([sizeLimit] {
                                      const rlimit l{rlim_t(sizeLimit), rlim_t(sizeLimit)};
                                      ::setrlimit(RLIMIT_FSIZE, &l);
                                      ::signal(SIGXFSZ, SIG_IGN);
                                  });
                          });
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, QByteArray());
    QFile f(path);
    QCOMPARE(f.exists(), !content.isEmpty());
    if (f.exists()) {
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll() == content);
    }
    // No temporary file left beside it.
    const QFileInfo info(path);
    const QStringList beside = QDir(info.path()).entryList({info.fileName() + u'*'}, QDir::Files | QDir::Hidden);
    QCOMPARE(beside, f.exists() ? QStringList{info.fileName()} : QStringList());
}

void TstCli::exitStatus_data()
{
    QTest::addColumn<QString>("server"); // close, keep, refused, selfsigned
    QTest::addColumn<QStringList>("args"); // %port: the server's, %req: a request file
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("message");
    const QStringList dest{QStringLiteral("127.0.0.1"), QStringLiteral("%port"), QStringLiteral("%req")};
    QTest::newRow("completed") << "close" << dest << 0 << QByteArray("answer") << "";
    QTest::newRow("time-out keeps what arrived")
        << "keep" << QStringList{"-t", "1"} + dest << 1 << QByteArray("answer") << "1秒間サーバからの応答がなかった";
    QTest::newRow("refused") << "refused" << dest << 2 << QByteArray() << "200:";
    QTest::newRow("refused, with TLS") << "refused" << QStringList{"--tls"} + dest << 2 << QByteArray() << "";
    QTest::newRow("bad port") << "close" << QStringList{"127.0.0.1", "65536", "%req"} << 4 << QByteArray() << "102:";
    QTest::newRow("port not a number") << "close" << QStringList{"127.0.0.1", "http", "%req"} << 4 << QByteArray()
                                       << "101:";
    QTest::newRow("missing request file")
        << "close" << QStringList{"127.0.0.1", "%port", "/nonexistent/request.txt"} << 4 << QByteArray() << "2 : ";
    QTest::newRow("unknown option") << "close" << QStringList{"--bogus"} + dest << 4 << QByteArray() << "bogus";
    QTest::newRow("TLS verification") << "selfsigned" << QStringList{"--tls", "--cacert", testCert("ca.pem")} + dest
                                      << 3 << QByteArray() << "300:";
}

void TstCli::exitStatus()
{
    QFETCH(QString, server);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QString, message);
    Server plain("answer", server == QLatin1String("keep") ? Server::KeepOpen : Server::Close);
    TlsLoopbackServer tls(QStringLiteral("selfsigned"));
    const QString port = server == QLatin1String("refused") ? refusedPort()
                         : server == QLatin1String("selfsigned") ? QString::number(tls.port())
                                                                  : plain.port();
    args.replaceInStrings(QStringLiteral("%port"), port);
    args.replaceInStrings(QStringLiteral("%req"), file(QStringLiteral("req.txt"), "GET / HTTP/1.0\n\n"));
    const Result r = send(args);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, out);
    QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    QCOMPARE(r.err.isEmpty(), status == 0);
}

void TstCli::json()
{
    Server server(HttpAnswer, Server::Close);
    const QByteArray request = "POST /x HTTP/1.1\r\nHost: a\r\n\r\n<a/>\r\n";
    const Result r = send({QStringLiteral("--json"), QStringLiteral("127.0.0.1"), server.port()}, request);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, HttpAnswer);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.err, &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, r.err.constData());
    QCOMPARE(o[QStringLiteral("outcome")].toString(), QStringLiteral("completed"));
    QCOMPARE(o[QStringLiteral("port")].toInt(), server.port().toInt());
    const QJsonObject bytes = o[QStringLiteral("bytes")].toObject();
    QCOMPARE(bytes[QStringLiteral("request")].toInteger(), server.received.size());
    QCOMPARE(server.received, request);
    QCOMPARE(bytes[QStringLiteral("response")].toInteger(), HttpAnswer.size());
    QCOMPARE(bytes[QStringLiteral("header")].toInteger(), HttpAnswer.size() - 5);
    QCOMPARE(bytes[QStringLiteral("body")].toInteger(), 5);
    const QJsonObject http = o[QStringLiteral("http")].toObject();
    QCOMPARE(http[QStringLiteral("status")].toInt(), 200);
    QCOMPARE(http[QStringLiteral("content_length")].toInt(), 5);
    QCOMPARE(http[QStringLiteral("complete")].toBool(), true);
    const QJsonObject t = o[QStringLiteral("timings_ms")].toObject();
    QVERIFY(t[QStringLiteral("tls")].isNull());
    double previous = 0;
    for (const char *step : {"connected", "sent", "first_byte", "end"}) {
        const QJsonValue v = t[QLatin1String(step)];
        QVERIFY2(v.isDouble() && v.toDouble() >= previous && v.toDouble() < r.ms, step);
        previous = v.toDouble();
    }
}

void TstCli::httpEnd()
{
    Server server(HttpAnswer, Server::KeepOpen);
    const Result r = send({QStringLiteral("--http-end"), QStringLiteral("-t"), QStringLiteral("10"),
                           QStringLiteral("127.0.0.1"), server.port()},
                          "GET / HTTP/1.1\n\n");
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, HttpAnswer);
    QVERIFY2(r.ms < 5000, qPrintable(QString::number(r.ms)));
}

void TstCli::tls_data()
{
    QTest::addColumn<QString>("serverCert");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("verified");
    QTest::newRow("--cacert") << "server" << "--cacert" << testCert("ca.pem") << true;
    QTest::newRow("--insecure on a self-signed certificate") << "selfsigned" << "--insecure" << "" << false;
}

void TstCli::tls()
{
    QFETCH(QString, serverCert);
    QFETCH(QString, option);
    QFETCH(QString, value);
    QFETCH(bool, verified);
    TlsLoopbackServer server(serverCert);
    server.setAnswer("HTTP/1.0 200 OK\r\n\r\n\0\xff"_qba);
    QStringList args{QStringLiteral("--tls"), QStringLiteral("--json"), option};
    if (!value.isEmpty())
        args << value;
    const Result r = send(args + QStringList{QStringLiteral("127.0.0.1"), QString::number(server.port())}, "GET /\n");
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, "HTTP/1.0 200 OK\r\n\r\n\0\xff"_qba);
    QCOMPARE(server.received, QByteArray("GET /\n\r\n")); // a lone LF stays one
    const QJsonObject session = QJsonDocument::fromJson(r.err).object()[QStringLiteral("tls_session")].toObject();
    QVERIFY2(session[QStringLiteral("protocol")].toString().startsWith(QStringLiteral("TLS 1.")), r.err.constData());
    QCOMPARE(session[QStringLiteral("verified")].toBool(), verified);
}

void TstCli::interrupted()
{
    Server server("partial", Server::KeepOpen);
    QProcess p;
    p.start(QStringLiteral(WPD_SEND), {QStringLiteral("127.0.0.1"), server.port()});
    QVERIFY(p.waitForStarted(5000));
    p.write("GET /\n");
    p.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(server.answered, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(p.bytesAvailable(), qint64(7), 5000);
    p.terminate();
    QTRY_COMPARE_WITH_TIMEOUT(p.state(), QProcess::NotRunning, 5000);
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 143);
    QCOMPARE(p.readAllStandardOutput(), QByteArray("partial"));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
