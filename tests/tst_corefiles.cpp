// Reading request files and writing response files, without a window.
#include "core/Failure.h"
#include "core/ProcessStart.h"
#include "core/RequestFile.h"
#include "core/ResponseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int failureOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Failure &e) {
        return e.number;
    }
    return 0;
}
} // namespace

class CoreFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void lineRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("lfEndsLine");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("CR LF, no final line end") << QByteArray("a\r\nb") << false << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone CR; NUL and Shift_JIS kept")
            << QByteArray("a\rb\x89\x9E\0\r\n", 8) << false << QByteArray("a\r\nb\x89\x9E\0\r\n", 9);
        QTest::newRow("lone LF stays inside the line") << QByteArray("a\nb\n") << false << QByteArray("a\nb\n\r\n");
        QTest::newRow("lone LF made CR LF on request") << QByteArray("a\nb\n") << true << QByteArray("a\r\nb\r\n");
        QTest::newRow("CR LF stays one line end") << QByteArray("a\r\n\r\n") << true << QByteArray("a\r\n\r\n");
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
    }
    void lineRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, lfEndsLine);
        QFETCH(QByteArray, wire);
        QTemporaryDir dir;
        QCOMPARE(RequestFile::load(writeFile(dir.filePath("r"), file), lfEndsLine), wire);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("load: missing file") << "load missing" << 2;
        QTest::newRow("load: a folder") << "load folder" << 21;
        QTest::newRow("load: a FIFO does not hang") << "load fifo" << 1001;
        QTest::newRow("load: fails half-way (EIO)") << "load /proc/self/mem" << 5;
        QTest::newRow("load: no read permission") << "load unreadable" << 13;
        QTest::newRow("save: missing folder") << "save missing" << 2;
        QTest::newRow("save: a file in the folder's place") << "save notdir" << 20;
        QTest::newRow("save: folder without write permission") << "save readonly" << 13;
    }
    void failures()
    {
        QFETCH(QString, kind);
        QFETCH(int, number);
        if ((kind.endsWith("unreadable") || kind.endsWith("readonly")) && geteuid() == 0)
            QSKIP("root may read and write everything; run unprivileged too");
        QTemporaryDir dir;
        QString path = dir.filePath("sub");
        if (kind == "load folder" || kind == "save readonly")
            QDir().mkpath(path);
        if (kind == "load fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == "load /proc/self/mem")
            path = QStringLiteral("/proc/self/mem");
        if (kind == "load unreadable")
            QFile::setPermissions(writeFile(path, "x"), QFileDevice::WriteOwner);
        if (kind == "save notdir")
            writeFile(path, "a file");
        if (kind == "save readonly")
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (kind.startsWith("load"))
            QCOMPARE(failureOf([&] { RequestFile::load(path); }), number);
        else
            QCOMPARE(failureOf([&] { ResponseFile::save(path + "/r.txt", "data"); }), number);
    }

    void requestLimit_data()
    {
        QTest::addColumn<bool>("stream"); // a pipe, counted as read; else a file, by its size
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("number");
        QTest::newRow("file at the limit") << false << qint64(1000) << qint64(1000) << 0;
        QTest::newRow("file a byte over") << false << qint64(1001) << qint64(1000) << 1002;
        QTest::newRow("sparse 100 GiB, default limit, nothing read")
            << false << (qint64(100) << 30) << RequestFile::DefaultLimit << 1002;
        QTest::newRow("stream at the limit") << true << qint64(1000) << qint64(1000) << 0;
        QTest::newRow("stream a byte over") << true << qint64(1001) << qint64(1000) << 1002;
    }
    void requestLimit()
    {
        QFETCH(bool, stream);
        QFETCH(qint64, size);
        QFETCH(qint64, limit);
        QFETCH(int, number);
        RequestFile::Rules rules;
        rules.unchanged = true;
        rules.limit = limit;
        QByteArray got;
        QTemporaryDir dir;
        if (stream) {
            int fds[2];
            QCOMPARE(pipe(fds), 0);
            QCOMPARE(write(fds[1], QByteArray(size, 'r').constData(), size), ssize_t(size));
            close(fds[1]);
            QCOMPARE(failureOf([&] { got = RequestFile::read(fds[0], rules); }), number);
            close(fds[0]);
        } else {
            QFile f(dir.filePath("r"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(size));
            f.close();
            QCOMPARE(failureOf([&] { got = RequestFile::load(f.fileName(), rules); }), number);
        }
        QCOMPARE(got.size(), number ? 0 : size);
    }

    void aFailedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size");
        // The small case fails only in a buffered write that commit() would not report.
        QTest::newRow("smaller than a buffer") << 5000;
        QTest::newRow("larger than a buffer") << 64 * 1024;
    }
    void aFailedSaveKeepsTheOldFile()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = writeFile(dir.filePath("keep.txt"), QByteArray(50000, 'o'));
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{1000, old.rlim_max};
        ProcessStart::prepare(); // as both programs start: the limit is a failure, not a signal
        setrlimit(RLIMIT_FSIZE, &small);
        const int number = failureOf([&] { ResponseFile::save(path, QByteArray(size, 'n')); });
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(number, 27); // EFBIG
        QCOMPARE(readFile(path), QByteArray(50000, 'o'));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
    }

    void saveWritesEveryByte()
    {
        QTemporaryDir dir;
        const QByteArray bytes = QByteArray("\x89\x9E\0\r\xFF", 5).repeated(1 << 20);
        int between = 0;
        ResponseFile::save(dir.filePath("r"), bytes, [&between] { ++between; });
        QCOMPARE(readFile(dir.filePath("r")), bytes);
        QVERIFY(between > 0); // a large save lets the caller's window breathe
    }
};

QTEST_GUILESS_MAIN(CoreFilesTest)
#include "tst_corefiles.moc"
