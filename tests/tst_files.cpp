// Open, Paste and Save as the window runs them, and the folders they remember.
#include "TestFiles.h"
#include "TestSupport.h"

#include "core/ProcessStart.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString Done = QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。");

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    return writeFile(dir.filePath(name), bytes);
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
        QTest::newRow("file in folders") << "/home/user/soap/req1.xml"
                                         << "/home/user/soap/";
        QTest::newRow("folder with its slash") << "/home/user/out/"
                                               << "/home/user/out/";
        QTest::newRow("bare name") << "Response.txt"
                                   << "";
        QTest::newRow("backslash is an ordinary character") << "a\\b"
                                                            << "";
    }
    void stripPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QCOMPARE(wireProbeDeskForm::StripPath(path), folder);
    }

    void loadedFileOnTheWire_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<bool>("crlf");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("lone LF stays inside the line")
            << "UTF-8" << false << QByteArray("a\nb\r\n") << QByteArray("a\nb\r\n");
        QTest::newRow("lone LF made CR LF") << "UTF-8" << true << QByteArray("a\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("Shift_JIS file goes out as its bytes")
            << "Shift_JIS" << false << QByteArray("\x89\x9E\x93\x9A\r\n\x81\x60\r\n")
            << QByteArray("\x89\x9E\x93\x9A\r\n\x81\x60\r\n");
        QTest::newRow("ISO-2022-JP file goes out as its bytes")
            << "ISO-2022-JP" << false << QByteArray("\x1B$B1~Ez\x1B(B\r\n") << QByteArray("\x1B$B1~Ez\x1B(B\r\n");
    }
    void loadedFileOnTheWire()
    {
        QFETCH(QString, encoding);
        QFETCH(bool, crlf);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, wire);
        QTemporaryDir dir;
        TestWindow w;
        w.setSetting(QStringLiteral("CrLfOnLoad"), crlf ? "1" : "0");
        w.setSetting(QStringLiteral("Encoding"), encoding);
        w.form->restoreSettings();
        w.dialog->answers << writeFile(dir, "req1.xml", file);
        w.openCmd->click();
        QVERIFY(w.box.texts.isEmpty());
        QCOMPARE(wireBytes(w), wire);
    }

    void savedRequestComesBackTheSame_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("request");
        QTest::newRow("UTF-8, a lone LF inside a line") << "UTF-8"
                                                        << "POST /日本 HTTP/1.0\r\nA: b\nc\r\n\r\n<語/>\r\n";
        QTest::newRow("Shift_JIS") << "Shift_JIS"
                                   << "POST / HTTP/1.0\r\n\r\n<表>～①</表>\r\n";
        QTest::newRow("EUC-JP") << "EUC-JP"
                                << "POST / HTTP/1.0\r\n\r\n<日本語/>\r\n";
        QTest::newRow("ISO-2022-JP") << "ISO-2022-JP"
                                     << "POST / HTTP/1.0\r\n\r\n<日本語/>ab\r\n";
        QTest::newRow("ISO-8859-1, last line without its end") << "ISO-8859-1"
                                                               << "POST / HTTP/1.0\r\n\r\n<é/>";
    }
    // 要求を保存 writes what Send puts on the wire; 開く and Send put it there
    // again, a missing last line end added as Open adds it to every line.
    void savedRequestComesBackTheSame()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, request);
        QTemporaryDir dir;
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.form->details().setEncoding(encoding);
        w.requestTxt->setRawText(request);
        const QByteArray sent = wireBytes(w);
        const QString path = dir.filePath("saved request.txt");
        w.dialog->answers << path;
        QTest::keyClick(w.requestTxt, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.dialog->shown.size(), 1);
        QCOMPARE(w.dialog->shown.last().initDir, QDir::homePath() + "/");
        QCOMPARE(readFile(path), sent);
        QCOMPARE(w.setting("requestSaveDir"), dir.path() + "/");
        w.clearCmd->click();
        w.dialog->answers << path;
        w.openCmd->click();
        QCOMPARE(wireBytes(w), request.endsWith(QLatin1Char('\n')) ? sent : sent + "\r\n");
    }

    void failedOpenKeepsTheRequest_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("number");
        QTest::newRow("missing file, typed in the dialog") << "/nonexistent/req.xml" << 2;
        QTest::newRow("read fails half-way") << "/proc/self/mem" << 5;
        // Refused before anything is read: reading it would take the window down.
        QFile big(m_dir.filePath("big.xml"));
        if (big.open(QIODevice::WriteOnly) && big.resize(qint64(100) << 30))
            QTest::newRow("100 GiB (sparse), over the limit") << big.fileName() << 1002;
    }
    void failedOpenKeepsTheRequest()
    {
        QFETCH(QString, path);
        QFETCH(int, number);
        TestWindow w;
        w.requestTxt->setPlainText(QStringLiteral("kept"));
        w.dialog->answers << path;
        w.openCmd->click();
        QCOMPARE(w.box.texts.size(), 1);
        QVERIFY2(w.box.texts.first().startsWith(QString::number(number) + " : "), qPrintable(w.box.texts.first()));
        QVERIFY(w.box.texts.first().endsWith("\n" + path));
        QCOMPARE(w.requestTxt->rawText(), QStringLiteral("kept"));
        QVERIFY(!w.busy());
    }

    void dialogFolders()
    {
        QTemporaryDir dir;
        TestWindow w;
        const QString home = QDir::homePath() + "/";
        w.dialog->answers << writeFile(dir, "req1.xml", "r") << QString() << QString() << "/proc/self/status"
                          << QString();
        w.openCmd->click();
        QCOMPARE(w.dialog->shown[0].initDir, home); // nothing remembered yet
        QCOMPARE(w.dialog->shown[0].title, QStringLiteral("要求メッセージのファイルを開く"));
        QCOMPARE(w.setting("openDir"), dir.path() + "/");
        w.openCmd->click(); // cancelled
        QCOMPARE(w.dialog->shown[1].initDir, dir.path() + "/");
        QCOMPARE(w.setting("openDir"), QString());
        w.openCmd->click();
        QCOMPARE(w.dialog->shown[2].initDir, home); // the empty folder a cancel left
        w.openCmd->click();
        QCOMPARE(w.setting("openDir"), QString()); // a system folder is not remembered
        w.setSetting("openDir", "/proc/self/");
        w.openCmd->click();
        QCOMPARE(w.dialog->shown[4].initDir, home); // nor started in
    }

    void pasteAndClearAreOneUndoStepEach()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.requestTxt->setPlainText(QStringLiteral("old text"));
        QGuiApplication::clipboard()->setText(QStringLiteral("POST / HTTP/1.1\nHost: x\r\n\n"));
        w.pasteCmd->click();
        QCOMPARE(w.requestTxt->textCursor().position(), 0);
        QCOMPARE(QApplication::focusWidget(), w.requestTxt);
        QCOMPARE(wireBytes(w), QByteArray("POST / HTTP/1.1\r\nHost: x\r\n\r\n"));
        w.clearCmd->click();
        QCOMPARE(w.requestTxt->rawText(), QString());
        w.requestTxt->undo();
        QCOMPARE(w.requestTxt->rawText(), QStringLiteral("POST / HTTP/1.1\r\nHost: x\r\n\r\n"));
        w.requestTxt->undo();
        QCOMPARE(w.requestTxt->rawText(), QStringLiteral("old text"));
    }

    void saveDialogAndEmptyResponse()
    {
        TestWindow w;
        w.saveCmd->click();
        QCOMPARE(w.box.texts, QStringList{"応答メッセージのデータがありません。"});
        QVERIFY(w.dialog->shown.isEmpty());
        QVERIFY(!w.busy());
        w.responseTxt->setRawText(QStringLiteral("\r\n")); // a line break alone is data
        QTemporaryDir dir;
        w.dialog->answers << dir.filePath("r.txt");
        w.saveCmd->click();
        const auto &shown = w.dialog->shown.first();
        QCOMPARE(shown.fileName, QStringLiteral("Response.txt"));
        QCOMPARE(shown.title, QStringLiteral("応答メッセージをファイルに保存"));
        QVERIFY(shown.flags & CommonDialog::OverwritePrompt);
        QCOMPARE(shown.initDir, QDir::homePath() + "/");
        QCOMPARE(w.setting("saveDir"), dir.path() + "/");
        QCOMPARE(readFile(dir.filePath("r.txt")), QByteArray("\r\n"));
    }

    void overwriteQuestionSaysWhatIsThere_data()
    {
        QTest::addColumn<QString>("target"); // file, fifo (read by the test), lonely fifo (read by none)
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QByteArray>("written"); // what the target holds or its reader read; or the box's failure
        QTest::newRow("a file, kept on no") << "file" << false << "out.txt"
                                            << "old"_qba;
        QTest::newRow("a FIFO, written into on yes") << "fifo" << true << "out.txt は FIFO（名前付きパイプ）です。"
                                                     << "new"_qba;
        QTest::newRow("a FIFO nobody reads fails at once") << "lonely fifo" << true << "FIFO"
                                                           << "6 : "_qba;
    }
    void overwriteQuestionSaysWhatIsThere()
    {
        QFETCH(QString, target);
        QFETCH(bool, yes);
        QFETCH(QString, says);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("out.txt");
        const QByteArray name = QFile::encodeName(path);
        if (target == u"file")
            writeFile(path, "old");
        else
            QCOMPARE(mkfifo(name.constData(), 0600), 0);
        const int in = target == u"fifo" ? ::open(name.constData(), O_RDONLY | O_NONBLOCK) : -1;
        TestWindow w;
        w.responseTxt->setRawText(QStringLiteral("new"));
        w.dialog->answers << path;
        w.dialog->overwriteAnswers << yes;
        w.saveCmd->click();
        QCOMPARE(w.dialog->questions.size(), 1);
        QVERIFY2(w.dialog->questions.first().contains(says), qPrintable(w.dialog->questions.first()));
        struct stat st
        {};
        QVERIFY(::stat(name.constData(), &st) == 0 && S_ISFIFO(st.st_mode) == target.endsWith(u"fifo"));
        char buf[8] = {};
        const QByteArray got = target == u"file" ? readFile(path)
                               : in >= 0         ? QByteArray(buf, int(::read(in, buf, sizeof buf)))
                                                 : w.box.texts.value(0).left(4).toUtf8();
        QCOMPARE(got, written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System), QStringList{"out.txt"});
    }

    void aFullDiskKeepsTheOldFileAndSaysSo()
    {
        // A file size limit makes a small save fail in a buffered write, for root as well.
        QTemporaryDir dir;
        const QString path = writeFile(dir, "keep.txt", QByteArray(50000, 'o'));
        TestWindow w;
        w.responseTxt->setRawText(QString(5000, QLatin1Char('n')));
        w.dialog->answers << path;
        struct rlimit old
        {};
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = 1000;
        ProcessStart::prepare(); // as the program starts: the limit is a failure, not a signal
        setrlimit(RLIMIT_FSIZE, &small);
        w.saveCmd->click();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(w.box.texts.size(), 1);
        QVERIFY2(w.box.texts.first().startsWith("27 : "), qPrintable(w.box.texts.first()));
        QCOMPARE(readFile(path), QByteArray(50000, 'o'));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
