// The history store: bytes kept exactly, limits, search, and the faults that
// must never stop an exchange.
#include "TestFiles.h"
#include "core/HistoryService.h"
#include "core/HistoryStore.h"
#include "core/TextCodec.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

HistoryEntry entry(const QByteArray &request, const QByteArray &response, const QString &encoding = u"UTF-8"_s)
{
    HistoryEntry e;
    e.startedMs = 1700000000000;
    e.host = u"127.0.0.1"_s;
    e.port = u" 8080"_s;
    e.encoding = encoding;
    e.request = request;
    e.response = response;
    e.requestBytes = request.size();
    e.responseBytes = response.size();
    return e;
}

QList<qint64> ids(const QList<HistoryEntry> &rows)
{
    QList<qint64> out;
    for (const HistoryEntry &e : rows)
        out << e.id;
    return out;
}

QByteArray encoded(const QString &text, const char *encoding)
{
    return TextCodec::encode(text, QString::fromLatin1(encoding));
}

} // namespace

class TstHistoryStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("encoding");
        // Invalid in each encoding: a lone lead byte, a stray continuation, an unfinished end.
        for (const char *e : {"UTF-8", "Shift_JIS", "EUC-JP", "ISO-2022-JP", "ISO-8859-1"})
            QTest::newRow(e) << QString::fromLatin1(e);
    }
    // Request and response come back byte for byte, whatever they hold.
    void roundTrip()
    {
        QFETCH(QString, encoding);
        const QByteArray request = "POST / HTTP/1.0\r\nA: \0\x81\r\n\r\n\x80\xff\x1b$B\xfe"_qba
                                   + encoded(encoding == u"ISO-8859-1" ? u"é"_s : u"日本"_s, qPrintable(encoding));
        const QByteArray response = "\0\0\x82\xa0\xc3\r\n\x8e"_qba + QByteArray(70000, '\x9f') + "\xe3\x81"_qba;
        HistoryStore store(path());
        HistoryEntry e = entry(request, response, encoding);
        const qint64 id = store.add(e, {});
        QVERIFY2(id > 0, qPrintable(store.fault().text));
        const std::optional<HistoryEntry> back = store.load(id);
        QVERIFY(back);
        QCOMPARE(back->request, request);
        QCOMPARE(back->response, response);
        QCOMPARE(back->encoding, encoding);
        QCOMPARE(back->port, u" 8080"_s);
        QVERIFY(!back->cut);
        // The store is the user's own.
        struct stat file
        {
        }, folder{};
        QVERIFY(::stat(QFile::encodeName(path()).constData(), &file) == 0);
        QVERIFY(::stat(QFile::encodeName(QFileInfo(path()).absolutePath()).constData(), &folder) == 0);
        QCOMPARE(file.st_mode & 0777, 0600u);
        QCOMPARE(folder.st_mode & 0777, 0700u);
        // The preview is the same bytes decoded with the entry's encoding; NUL shows as its picture.
        QString text = TextCodec::decode(request, encoding);
        text.replace(QChar(0), QChar(0x2400));
        QCOMPARE(store.preview(id, 1000)->request, text);
    }

    void label_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("label");
        const QByteArray soap = "<?xml version=\"1.0\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                                "<s:Header><h:Auth xmlns:h=\"urn:h\"/></s:Header><s:Body><m:GetUser xmlns:m=\"urn:m\"><id>1</id>"
                                "</m:GetUser></s:Body></s:Envelope>";
        QTest::newRow("SOAPAction, quoted")
            << "POST /ws HTTP/1.1\r\nsoapaction: \"urn:m#GetUser\"\r\n\r\n" + soap << u"urn:m#GetUser"_s;
        QTest::newRow("empty SOAPAction: the body")
            << "POST /ws HTTP/1.1\r\nSOAPAction: \"\"\r\n\r\n" + soap << u"GetUser"_s;
        QTest::newRow("body's first element") << "POST /ws HTTP/1.1\nHost: a\n\n" + soap << u"GetUser"_s;
        QTest::newRow("not SOAP: first line") << "GET /index.html HTTP/1.0\r\n\r\n"_qba << u"GET /index.html HTTP/1.0"_s;
        QTest::newRow("SOAPAction in the body is no header")
            << "POST / HTTP/1.0\r\n\r\nSOAPAction: x"_qba << u"POST / HTTP/1.0"_s;
    }
    void label()
    {
        QFETCH(QByteArray, request);
        QFETCH(QString, label);
        HistoryStore store(path());
        HistoryEntry e = entry(request, "HTTP/1.1 200 OK\r\n\r\n");
        QVERIFY(store.add(e, {}));
        QCOMPARE(store.list(QString(), 0, 10).value(0).label, label);
    }

    void limits_data()
    {
        QTest::addColumn<int>("maxEntries");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<qint64>("cap");
        QTest::addColumn<QList<int>>("kept"); // which of five entries, newest first
        QTest::addColumn<int>("storedResponse");
        // Each entry: a 10-byte request and a 1000-byte response, counted twice (bytes and search text).
        QTest::newRow("newest three") << 3 << (qint64(1) << 20) << qint64(1 << 20) << QList<int>{4, 3, 2} << 1000;
        QTest::newRow("at most 5000 bytes") << 100 << qint64(5000) << qint64(1 << 20) << QList<int>{4, 3} << 1000;
        QTest::newRow("the newest stays, however large") << 100 << qint64(10) << qint64(1 << 20) << QList<int>{4} << 1000;
        QTest::newRow("cut at the cap") << 100 << (qint64(1) << 20) << qint64(100) << QList<int>{4, 3, 2, 1, 0} << 100;
    }
    void limits()
    {
        QFETCH(int, maxEntries);
        QFETCH(qint64, maxBytes);
        QFETCH(qint64, cap);
        QFETCH(QList<int>, kept);
        QFETCH(int, storedResponse);
        HistoryStore store(path());
        QList<qint64> added;
        for (int i = 0; i < 5; ++i) {
            HistoryEntry e = entry("GET / \r\n\r\n", QByteArray(1000, char('a' + i)));
            added << store.add(e, {cap, maxEntries, maxBytes});
        }
        QList<qint64> expected;
        for (int i : kept)
            expected << added[i];
        // Paged one by one, as a list fetches.
        QList<qint64> listed;
        for (QList<HistoryEntry> page = store.list(QString(), 0, 1); !page.isEmpty();
             page = store.list(QString(), page.first().id, 1))
            listed << page.first().id;
        QCOMPARE(listed, expected);
        const std::optional<HistoryEntry> newest = store.load(expected.first());
        QCOMPARE(newest->response, QByteArray(storedResponse, 'e'));
        QCOMPARE(newest->responseBytes, 1000);
        QCOMPARE(newest->cut, storedResponse < 1000);
    }

    void search_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("found"); // of the entries below, newest first
        QTest::newRow("Japanese, two characters") << u"山田"_s << QList<int>{0};
        QTest::newRow("Japanese, inside a word") << u"田太"_s << QList<int>{0};
        QTest::newRow("Japanese in Shift_JIS, two characters") << u"京都"_s << QList<int>{1};
        QTest::newRow("Japanese in Shift_JIS, three characters") << u"東京都"_s << QList<int>{1};
        QTest::newRow("one character") << u"都"_s << QList<int>{1};
        QTest::newRow("ASCII, any case") << u"getuser"_s << QList<int>{0};
        QTest::newRow("status line") << u"500"_s << QList<int>{2};
        QTest::newRow("port as typed") << u"8443"_s << QList<int>{2};
        QTest::newRow("host") << u"example.invalid"_s << QList<int>{2};
        QTest::newRow("label") << u"urn:x#Ping"_s << QList<int>{2};
        QTest::newRow("both words") << u"名前 200"_s << QList<int>{0};
        QTest::newRow("a short and a long word") << u"OK 山田太郎"_s << QList<int>{0};
        QTest::newRow("wildcards are literal") << u"%_"_s << QList<int>{};
        QTest::newRow("quote") << u"\"a"_s << QList<int>{2};
        QTest::newRow("nowhere") << u"zzz"_s << QList<int>{};
    }
    void search()
    {
        QFETCH(QString, query);
        QFETCH(QList<int>, found);
        HistoryStore store(path());
        QList<HistoryEntry> entries{
            entry("POST /u HTTP/1.1\r\n\r\n<Body><GetUser/></Body>", "HTTP/1.1 200 OK\r\n\r\n<名前>山田太郎</名前>"_ba),
            entry("GET / HTTP/1.0\r\n\r\n", "HTTP/1.0 200 OK\r\n\r\n"_ba + encoded(u"東京都"_s, "Shift_JIS"),
                  u"Shift_JIS"_s),
            entry("POST / HTTP/1.0\r\nSOAPAction: urn:x#Ping\r\n\r\n\"a", "HTTP/1.0 500 Error\r\n\r\n"),
        };
        entries[2].host = u"example.invalid"_s;
        entries[2].port = u"8443"_s;
        for (HistoryEntry &e : entries)
            e.statusLine = QString::fromLatin1(e.response.left(e.response.indexOf('\r')));
        QVERIFY(store.add(entries, {}));
        QList<qint64> expected;
        for (int i : found)
            expected << entries[i].id;
        std::sort(expected.rbegin(), expected.rend());
        QCOMPARE(ids(store.list(query, 0, 10)), expected);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("recorded"); // the next exchange is recorded all the same
        QTest::newRow("corrupt") << "corrupt" << int(HistoryFault::Kind::Corrupt) << true;
        QTest::newRow("not a database") << "garbage" << int(HistoryFault::Kind::NotDatabase) << true;
        QTest::newRow("locked too long") << "locked" << int(HistoryFault::Kind::Locked) << false;
        QTest::newRow("full disk (file size limit)") << "full" << int(HistoryFault::Kind::Full) << false;
        QTest::newRow("read-only") << "read-only" << int(HistoryFault::Kind::ReadOnly) << false;
        QTest::newRow("folder cannot be made") << "no folder" << int(HistoryFault::Kind::CannotOpen) << false;
    }
    // Nothing throws; what the user had stays, under another name when it had to go.
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(int, kind);
        QFETCH(bool, recorded);
        if (fault == u"read-only" && ::geteuid() == 0)
            QSKIP("permissions do not bind root");
        QString file = path();
        {
            HistoryStore first(file);
            for (int i = 0; i < 20; ++i) {
                HistoryEntry e = entry("GET /\r\n\r\n", QByteArray(3000, 'x'));
                QVERIFY(first.add(e, {}));
            }
        }
        QSqlDatabase other;
        rlimit saved{};
        if (fault == u"corrupt") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(4096) && f.write(QByteArray(64 * 1024, '\xab')) > 0);
        } else if (fault == u"garbage") {
            writeFile(file, QByteArray("not a database\n").repeated(500));
        } else if (fault == u"locked") {
            other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"other"_s);
            other.setDatabaseName(file);
            QVERIFY(other.open() && QSqlQuery(other).exec(u"BEGIN EXCLUSIVE"_s));
        } else if (fault == u"full") {
            // A full disk as the writer sees it: writes that stop short (EFBIG in place of ENOSPC).
            ::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
            const rlimit small{rlim_t(QFileInfo(file).size() + 64 * 1024), saved.rlim_max};
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        } else if (fault == u"read-only") {
            ::chmod(QFile::encodeName(file).constData(), 0444);
            ::chmod(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), 0555);
        } else {
            file = m_dir->filePath(u"file/wireProbeDesk/history.sqlite3"_s);
            writeFile(m_dir->filePath(u"file"_s), "a file where a folder should be");
        }
        const QByteArray before = readFile(file);

        HistoryStore store(file, 300);
        HistoryEntry e = entry("GET /big\r\n\r\n", QByteArray(1 << 20, 'y'));
        const qint64 id = store.add(e, {});
        if (fault == u"full")
            ::setrlimit(RLIMIT_FSIZE, &saved);
        if (fault == u"locked") {
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase(u"other"_s);
        }
        QCOMPARE(int(store.fault().kind), kind);
        QVERIFY(!store.fault().text.isEmpty());
        QCOMPARE(id > 0, recorded);
        const QStringList aside = QFileInfo(file).dir().entryList({u"history.sqlite3.broken-*"_s}, QDir::Files);
        if (recorded) {
            // The damaged file is kept as it was, beside a new store that works.
            QCOMPARE(aside.size(), 1);
            QCOMPARE(readFile(QFileInfo(file).dir().filePath(aside.first())), before);
            QCOMPARE(store.count(), 1);
        } else {
            QVERIFY(aside.isEmpty());
            if (fault != u"locked" && fault != u"full")
                QCOMPARE(readFile(file), before);
        }
        if (fault == u"read-only")
            ::chmod(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), 0755);
        if (fault == u"full" || fault == u"locked") {
            // Once there is room again, or the lock is gone, recording goes on.
            HistoryEntry again = entry("GET /\r\n\r\n", "ok");
            QVERIFY(store.add(again, {}) > 0);
            QCOMPARE(store.count(), 21);
        }
    }

    // Recording runs on the service's thread; the caller hears of it by signal.
    void serviceRecordsAndLoads()
    {
        HistoryService service(path());
        QSignalSpy recorded(&service, &HistoryService::recorded);
        QSignalSpy loaded(&service, &HistoryService::loaded);
        const QByteArray response(5 << 20, '\0');
        service.record(entry("GET /\r\n\r\n", response));
        QVERIFY(recorded.wait(10000));
        const HistoryEntry row = recorded.first().first().value<HistoryEntry>();
        QVERIFY(row.response.isEmpty());
        const int ticket = service.load(row.id);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().first().toInt(), ticket);
        QCOMPARE(loaded.first().last().value<std::optional<HistoryEntry>>()->response, response);
    }

private:
    QString path() const { return m_dir->filePath(u"wireProbeDesk/history.sqlite3"_s); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TstHistoryStore)
#include "tst_historystore.moc"
