// Loading requests, pasting, saving responses, and the folders they remember.
#include "TestSupport.h"

#include "gui/RawTextPane.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QTcpSocket>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString Done = QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。");

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Sends what the request pane holds and waits for the server's close.
QByteArray wireBytes(TestWindow &w)
{
    LoopbackServer server(Scripts::answerAndClose({"ok"}));
    w.addressCmb->setEditText(QStringLiteral("127.0.0.1"));
    w.portCmb->setEditText(QString::number(server.port()));
    w.sendCmd->click();
    if (!QTest::qWaitFor([&] { return w.statusBar->text() == Done; }, 5000))
        return "<no completion>";
    return server.received;
}
} // namespace

class FilesTest : public QObject
{
    Q_OBJECT
private slots:
    void stripPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::newRow("file in folders") << "/home/user/soap/req1.xml" << "/home/user/soap/";
        QTest::newRow("file at the root") << "/req1.xml" << "/";
        QTest::newRow("folder with its slash") << "/home/user/out/" << "/home/user/out/";
        QTest::newRow("bare name") << "Response.txt" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("backslash is an ordinary character") << "a\\b" << "";
    }
    void stripPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QCOMPARE(wireProbeDeskForm::StripPath(path), folder);
    }

    void loadedLinesOnTheWire_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("CR LF, no final line end") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone CR") << QByteArray("a\rb\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone LF stays inside the line") << QByteArray("a\nb\n") << QByteArray("a\nb\n\r\n");
        QTest::newRow("empty line survives") << QByteArray("x\r\n\r\n") << QByteArray("x\r\n\r\n");
        QTest::newRow("final CR") << QByteArray("x\r") << QByteArray("x\r\n");
        QTest::newRow("NUL and invalid bytes kept") << QByteArray("a\0b\r\n", 5) << QByteArray("a\0b\r\n", 5);
        QTest::newRow("Japanese") << QByteArray("要求\r\n") << QByteArray("要求\r\n");
    }
    void loadedLinesOnTheWire()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, wire);
        QTemporaryDir dir;
        TestWindow w;
        w.dialog->answers << writeFile(dir, "req1.xml", file);
        w.openCmd->click();
        QVERIFY(w.box.texts.isEmpty());
        QVERIFY(w.form->isEnabled());
        QCOMPARE(wireBytes(w), wire);
    }

    void emptyFileLoadsEmpty()
    {
        QTemporaryDir dir;
        TestWindow w;
        w.requestTxt->setPlainText(QStringLiteral("old"));
        w.dialog->answers << writeFile(dir, "empty", QByteArray());
        w.openCmd->click();
        QCOMPARE(w.requestTxt->rawText(), QString());
        QVERIFY(w.box.texts.isEmpty());
    }

    void openFolders()
    {
        QTemporaryDir dir;
        TestWindow w;
        const QString path = writeFile(dir, "req1.xml", "r");
        w.dialog->answers << path << QString() << QString();
        w.openCmd->click();
        QCOMPARE(w.dialog->shown[0].initDir, QCoreApplication::applicationDirPath() + "/");
        QCOMPARE(w.dialog->shown[0].title, QStringLiteral("要求メッセージのファイルを開く"));
        QCOMPARE(w.dialog->shown[0].filter, QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*"));
        QCOMPARE(w.dialog->shown[0].fileName, QString());
        QCOMPARE(w.setting("openDir"), dir.path() + "/");
        w.openCmd->click(); // cancelled
        QCOMPARE(w.dialog->shown[1].initDir, dir.path() + "/");
        QCOMPARE(w.setting("openDir"), QString());
        QCOMPARE(w.requestTxt->rawText(), QStringLiteral("r\r\n"));
        w.openCmd->click();
        QCOMPARE(w.dialog->shown[2].initDir, QString()); // a stored empty folder is used as it is
        QVERIFY(w.box.texts.isEmpty());
        QVERIFY(w.form->isEnabled());
    }

    void pasteReplacesTheWholeRequest()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.requestTxt->setPlainText(QStringLiteral("old text"));
        QTextCursor c = w.requestTxt->textCursor();
        c.setPosition(2);
        c.setPosition(5, QTextCursor::KeepAnchor);
        w.requestTxt->setTextCursor(c);
        QGuiApplication::clipboard()->setText(QStringLiteral("POST / HTTP/1.1\nHost: x\n\n"));
        w.pasteCmd->click();
        QCOMPARE(w.requestTxt->textCursor().position(), 0);
        QVERIFY(!w.requestTxt->textCursor().hasSelection());
        QCOMPARE(QApplication::focusWidget(), w.requestTxt);
        QCOMPARE(wireBytes(w), QByteArray("POST / HTTP/1.1\r\nHost: x\r\n\r\n"));
        QGuiApplication::clipboard()->clear();
        w.pasteCmd->click();
        QCOMPARE(w.requestTxt->rawText(), QString());
    }

    void saveWritesTheResponseByteForByte()
    {
        const QByteArray response("HTTP/1.1 200 OK\r\nA: b\n\r\n<x>\r応答\0</x>", 39);
        LoopbackServer server(Scripts::answerAndClose({response.left(17), response.mid(17, 20), response.mid(37)}));
        TestWindow w;
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "old.txt", "previous content");
        w.dialog->answers << path;
        w.saveCmd->click();
        QVERIFY(w.box.texts.isEmpty());
        QCOMPARE(readFile(path), response);
        const auto &shown = w.dialog->shown.first();
        QCOMPARE(shown.fileName, QStringLiteral("Response.txt"));
        QCOMPARE(shown.title, QStringLiteral("応答メッセージをファイルに保存"));
        QVERIFY(shown.flags & CommonDialog::OverwritePrompt);
        QCOMPARE(shown.initDir, QCoreApplication::applicationDirPath() + "/");
        QCOMPARE(w.setting("saveDir"), dir.path() + "/");

        // Cancel: nothing written, the folder forgotten.
        w.saveCmd->click();
        QCOMPARE(w.dialog->shown[1].initDir, dir.path() + "/");
        QCOMPARE(w.setting("saveDir"), QString());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.txt"});
        QVERIFY(w.box.texts.isEmpty());
    }

    void emptyResponseIsNotSaved()
    {
        TestWindow w;
        w.saveCmd->click();
        QCOMPARE(w.box.texts, QStringList{"応答メッセージのデータがありません。"});
        QVERIFY(w.dialog->shown.isEmpty());
        QCOMPARE(w.setting("saveDir"), QStringLiteral("<absent>"));
        QVERIFY(w.form->isEnabled());
        w.responseTxt->setRawText(QStringLiteral("\r\n")); // a line break alone is data
        w.saveCmd->click();
        QCOMPARE(w.dialog->shown.size(), 1);
    }

    void fileFailures_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("open: missing file") << false << 0 << 2;
        QTest::newRow("open: a folder") << false << 1 << 21;
        QTest::newRow("open: a FIFO does not hang") << false << 2 << 1001;
        QTest::newRow("open: no read permission") << false << 3 << 13;
        QTest::newRow("save: missing folder") << true << 0 << 2;
        QTest::newRow("save: a file in the folder's place") << true << 1 << 20;
        QTest::newRow("save: folder without write permission") << true << 3 << 13;
    }
    void fileFailures()
    {
        QFETCH(bool, save);
        QFETCH(int, kind);
        QFETCH(int, number);
        if (kind == 3 && geteuid() == 0)
            QSKIP("root may read and write everything; run unprivileged too");
        QTemporaryDir dir;
        const QString folder = dir.filePath("sub");
        const QString path = folder + (save ? "/r1.txt" : "");
        if (kind == 1)
            save ? (void)writeFile(dir, "sub", "a file") : (void)QDir().mkpath(path);
        if (kind == 2)
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == 3) {
            save ? (void)QDir().mkpath(folder) : (void)writeFile(dir, "sub", "x");
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            if (!save)
                QFile::setPermissions(path, QFileDevice::WriteOwner);
        }
        TestWindow w;
        w.requestTxt->setPlainText(QStringLiteral("kept"));
        w.responseTxt->setRawText(QStringLiteral("data"));
        w.dialog->answers << path;
        save ? w.saveCmd->click() : w.openCmd->click();
        QCOMPARE(w.box.texts.size(), 1);
        const QString text = w.box.texts.first();
        QVERIFY2(text.startsWith(QString::number(number) + " : "), qPrintable(text));
        QVERIFY(text.endsWith("\n" + path));
        QCOMPARE(w.requestTxt->rawText(), QStringLiteral("kept"));
        QCOMPARE(w.setting(save ? "saveDir" : "openDir"), wireProbeDeskForm::StripPath(path));
        QVERIFY(w.form->isEnabled());
    }

    void failedSaveKeepsTheOldFile()
    {
        // A file size limit makes the write fail part-way, for root as well.
        QTemporaryDir dir;
        const QString path = writeFile(dir, "keep.txt", "the user's old content");
        TestWindow w;
        w.responseTxt->setRawText(QString(64 * 1024, QLatin1Char('n')));
        w.dialog->answers << path;
        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        w.saveCmd->click();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(w.box.texts.size(), 1);
        QVERIFY2(w.box.texts.first().startsWith("27 : "), qPrintable(w.box.texts.first()));
        QCOMPARE(readFile(path), QByteArray("the user's old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
    }
};

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
