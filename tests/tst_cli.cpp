// The command-line sender, run as a program against loopback servers.
#include "Loopback.h"
#include "TlsLoopbackServer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// One answer, from a server of the given kind: "close" (answers and closes),
// "pieces" (the same in 64 KiB pieces), "keep" (answers and stays open),
// "refused" (nothing listens), or "tls:NAME" (TLS with the test certificate
// NAME, answers and closes).
QList<QByteArray> pieces(const QByteArray &bytes)
{
    QList<QByteArray> out;
    for (qsizetype i = 0; i < bytes.size(); i += 64 * 1024)
        out << bytes.mid(i, 64 * 1024);
    return out;
}

struct Peer
{
    LoopbackServer plain;
    TlsLoopbackServer tls;
    const QString port;
    Peer(const QString &kind, const QByteArray &answer)
        : plain(kind == u"keep" ? Scripts::answerAndKeepOpen(answer)
                : Scripts::answerAndClose(kind == u"pieces" ? pieces(answer) : QList<QByteArray>{answer})),
          tls(kind.startsWith(u"tls:") ? kind.mid(4) : u"server"_s),
          port(QString::number(kind == u"refused" ? refusedPort() : kind.startsWith(u"tls:") ? tls.port() : plain.port()))
    { tls.setAnswer(answer); }
    QByteArray received() const { return plain.received + tls.received; }
};

struct Result
{
    int status = -1; // -1: did not end by itself in time, or crashed
    QByteArray out;
    QByteArray err;
    qint64 ms = 0;
};

// Runs the program while this process's event loop serves it; bounded. A
// file size limit applies to the program alone.
Result send(const QStringList &args, const QByteArray &input = {}, qint64 fileSizeLimit = 0)
{
    QProcess p;
    if (fileSizeLimit)
        p.setChildProcessModifier([fileSizeLimit] {
            const rlimit l{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &l);
            ::signal(SIGXFSZ, SIG_IGN);
        });
    const QDeadlineTimer deadline(20000); // also the clock of r.ms
    p.start(QStringLiteral(WPD_SEND), args);
    p.write(input);
    p.closeWriteChannel();
    (void)QTest::qWaitFor([&p] { return p.state() == QProcess::NotRunning; }, 20000);
    // Still running here: QProcess kills it on the way out.
    const bool ended = p.state() == QProcess::NotRunning && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError(), 20000 - deadline.remainingTime()};
}

const QByteArray HttpAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

} // namespace

class TstCli : public QObject
{
    Q_OBJECT

private slots:
    void requestSources_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("line rules") << QStringList() << "POST / HTTP/1.0\nA: b\r\n\r\nx\r\n\xff\0y\r\n"_qba;
        QTest::newRow("--crlf") << QStringList{"--crlf"} << "POST / HTTP/1.0\r\nA: b\r\n\r\nx\r\n\xff\0y\r\n"_qba;
        QTest::newRow("--binary") << QStringList{"--binary"} << "POST / HTTP/1.0\nA: b\r\n\r\nx\r\xff\0y"_qba;
        QTest::newRow("--fix-content-length")
            << QStringList{"--fix-content-length"} << "POST / HTTP/1.0\nA: b\r\nContent-Length: 8\r\n\r\nx\r\n\xff\0y\r\n"_qba;
    }
    // A request file and standard input put the same bytes on the wire.
    void requestSources()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, wire);
        const QByteArray text = "POST / HTTP/1.0\nA: b\r\n\r\nx\r\xff\0y"_qba;
        const QString path = file(QStringLiteral("request.txt"), text);
        for (const QString &source : {path, QStringLiteral("-")}) {
            Peer server(QStringLiteral("close"), "ok");
            const Result r = send(options + QStringList{"127.0.0.1", server.port, source}, source == path ? QByteArray() : text);
            QCOMPARE(r.status, 0);
            QTRY_COMPARE_WITH_TIMEOUT(server.received(), wire, 5000);
        }
    }

    void exitStatus_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("args"); // %port: the server's, %req: a request file
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // on standard error; none when completed
        const QStringList dest{QStringLiteral("127.0.0.1"), QStringLiteral("%port"), QStringLiteral("%req")};
        QTest::newRow("NUL and 0xFF") << "close" << "\0\xff\0\r\n\xfe"_qba << dest << 0 << "";
        QTest::newRow("Shift_JIS") << "close" << "HTTP/1.0 200 OK\r\n\r\n\x93\xfa\x96\x7b\x8c\xea\x5c\r"_qba << dest << 0 << "";
        QTest::newRow("1 MiB in pieces") << "pieces" << QByteArray(1 << 20, '\x80') << dest << 0 << "";
        QTest::newRow("time-out keeps what arrived") << "keep" << "answer"_qba << QStringList{"-t", "1"} + dest << 1 << "1秒間サーバからの応答がなかった";
        QTest::newRow("--http-end against keep-alive") << "keep" << HttpAnswer << QStringList{"--http-end", "-t", "10"} + dest << 0 << "";
        QTest::newRow("refused") << "refused" << QByteArray() << dest << 2 << "200:";
        QTest::newRow("refused, with TLS") << "refused" << QByteArray() << QStringList{"--tls"} + dest << 2 << "200:";
        QTest::newRow("TLS verification") << "tls:selfsigned" << "answer"_qba << QStringList{"--tls", "--cacert", testCert("ca.pem")} + dest << 3 << "300:";
        QTest::newRow("-o into a missing folder") << "close" << "answer"_qba << QStringList{"-o", "/nonexistent/out"} + dest << 5 << "/nonexistent/out";
        QTest::newRow("bad port") << "close" << QByteArray() << QStringList{"127.0.0.1", "65536", "%req"} << 4 << "102:";
        QTest::newRow("port not a number") << "close" << QByteArray() << QStringList{"127.0.0.1", "http", "%req"} << 4 << "101:";
        QTest::newRow("missing request file") << "close" << QByteArray() << QStringList{"127.0.0.1", "%port", "/nonexistent/r"} << 4 << "2 : ";
        QTest::newRow("unknown option") << "close" << QByteArray() << QStringList{"--bogus"} + dest << 4 << "bogus";
    }
    // Standard output holds exactly the bytes that arrived, whatever they are.
    void exitStatus()
    {
        QFETCH(QString, server);
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        Peer peer(server, answer);
        args.replaceInStrings(QStringLiteral("%port"), peer.port);
        args.replaceInStrings(QStringLiteral("%req"), file(QStringLiteral("req.txt"), "GET / HTTP/1.0\n\n"));
        const Result r = send(args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, status <= 1 ? answer : QByteArray());
        QVERIFY2(QString::fromUtf8(r.err).contains(message) && r.err.isEmpty() == message.isEmpty(), r.err.constData());
    }

    void outputFile_data()
    {
        QTest::addColumn<qint64>("sizeLimit"); // 0: none
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("content"); // of the file afterwards
        QTest::newRow("written") << qint64(0) << 0 << QByteArray(64 * 1024, 'r');
        QTest::newRow("file size limit keeps the old file") << qint64(4096) << 5 << QByteArray("old");
    }
    // -o replaces the file whole or not at all.
    void outputFile()
    {
        QFETCH(qint64, sizeLimit);
        QFETCH(int, status);
        QFETCH(QByteArray, content);
        const QString path = file(QStringLiteral("out.bin"), "old");
        Peer server(QStringLiteral("close"), QByteArray(64 * 1024, 'r'));
        const Result r = send({"-o", path, "127.0.0.1", server.port}, "GET /\n", sizeLimit);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QByteArray());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == content);
        // No temporary file left beside it.
        QCOMPARE(QDir(m_dir.path()).entryList({"out.bin*"}, QDir::Files | QDir::Hidden), QStringList{"out.bin"});
    }

    void json_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("verified"); // for TLS
        QTest::newRow("plain") << "close" << QStringList() << false;
        QTest::newRow("TLS --cacert") << "tls:server" << QStringList{"--tls", "--cacert", testCert("ca.pem")} << true;
        QTest::newRow("TLS --insecure, self-signed") << "tls:selfsigned" << QStringList{"--tls", "--insecure"} << false;
    }
    void json()
    {
        QFETCH(QString, server);
        QFETCH(QStringList, options);
        QFETCH(bool, verified);
        Peer peer(server, HttpAnswer);
        const QByteArray request = "POST /x HTTP/1.1\r\nHost: a\r\n\r\n<a/>\r\n";
        const Result r = send(options + QStringList{QStringLiteral("--json"), QStringLiteral("127.0.0.1"), peer.port}, request);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, HttpAnswer);
        QCOMPARE(peer.received(), request);
        const QJsonObject o = QJsonDocument::fromJson(r.err).object();
        QVERIFY2(o[u"outcome"_s] == u"completed"_s, r.err.constData());
        QCOMPARE(o[u"bytes"_s].toObject(), (QJsonObject{{"request", request.size()}, {"response", HttpAnswer.size()},
                                                         {"header", HttpAnswer.size() - 5}, {"body", 5}}));
        QCOMPARE(o[u"http"_s].toObject(),
                 (QJsonObject{{"status", 200}, {"content_length", 5}, {"chunked", false}, {"complete", true}}));
        const bool tls = server.startsWith(u"tls:");
        QCOMPARE(o[u"tls_session"_s][u"protocol"_s].toString().startsWith(u"TLS 1."), tls);
        QCOMPARE(o[u"tls_session"_s][u"verified"_s].toBool(), verified);
        const QJsonObject t = o[u"timings_ms"_s].toObject();
        QCOMPARE(t[u"tls"_s].isNull(), !tls);
        double previous = 0;
        for (const char *step : {"connected", tls ? "tls" : "connected", "sent", "first_byte", "end"}) {
            const QJsonValue v = t[QLatin1String(step)];
            QVERIFY2(v.isDouble() && v.toDouble() >= previous && v.toDouble() < r.ms, step);
            previous = v.toDouble();
        }
    }

    void sigtermEndsWith143AndKeepsTheOutput()
    {
        Peer server(QStringLiteral("keep"), "partial");
        QProcess p;
        p.start(QStringLiteral(WPD_SEND), {QStringLiteral("127.0.0.1"), server.port});
        QVERIFY(p.waitForStarted(5000));
        p.write("GET /\n");
        p.closeWriteChannel();
        QTRY_COMPARE_WITH_TIMEOUT(p.bytesAvailable(), qint64(7), 5000);
        p.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(p.state(), QProcess::NotRunning, 5000);
        QCOMPARE(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, 143);
        QCOMPARE(p.readAllStandardOutput(), QByteArray("partial"));
    }

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

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
