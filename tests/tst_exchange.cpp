// Send, as the window shows it: status texts, the box, the busy state, focus,
// history, and the response pane in the chosen encoding.
#include "ProxyProcess.h"
#include "TestFiles.h"
#include "TestSupport.h"
#include "TlsLoopbackServer.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTcpSocket>
#include <QTest>

namespace {
const QString Done = QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。");
const QString Waiting = QStringLiteral("接続先サーバに要求メッセージを送信し、応答を待っています。");
QString timeOutText(int s)
{
    return QString::number(s) + QStringLiteral("秒間サーバからの応答がなかったため、接続を打ち切りました。");
}
QString port(const LoopbackServer &s)
{
    return QString::number(s.port());
}
} // namespace

class ExchangeTest : public QObject
{
    Q_OBJECT
private slots:
    void inputTests_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("status"); // only the focus hint of the control given the focus
        QTest::newRow("all empty") << ""
                                   << ""
                                   << ""
                                   << "接続先サーバのIPアドレスが指定されていません。"
                                   << "addressCmb"
                                   << "接続先サーバのIPアドレスを指定して下さい。";
        QTest::newRow("port empty") << "h"
                                    << ""
                                    << ""
                                    << "接続先サーバのポート番号が指定されていません。"
                                    << "portCmb"
                                    << "接続先サーバのポート番号を指定して下さい。";
        QTest::newRow("request empty") << "h"
                                       << "80"
                                       << ""
                                       << "要求メッセージが入力されていません。"
                                       << "requestTxt"
                                       << "before";
    }
    void inputTests()
    {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, request);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QString, status);
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.responseTxt->setRawText(QStringLiteral("old"));
        w.statusBar->setText(QStringLiteral("before"));
        w.sendCmd->setFocus();
        w.sendTo(address, port, request);
        QCOMPARE(w.box.texts, QStringList{message});
        QWidget *focused = QApplication::focusWidget();
        if (focused && focused->objectName().isEmpty()) // a combo box's line edit
            focused = focused->parentWidget();
        QVERIFY(focused);
        QCOMPARE(focused->objectName(), focus);
        QVERIFY(!w.busy());
        QCOMPARE(w.addressCmb->itemText(0), QString()); // nothing recorded
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("old"));
        QCOMPARE(w.statusBar->text(), status);
    }

    void completionJoinsPiecesAndSendsCrLf()
    {
        LoopbackServer server(Scripts::answerAndClose({"HTTP/1.0 200 OK\r\n", "X: 1\r\n\r\n", "body"}));
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.sendCmd->setFocus();
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("GET / HTTP/1.0\n\n"));
        QVERIFY(w.busy());
        QTRY_COMPARE(w.statusBar->text(), Waiting);
        QTRY_COMPARE(w.statusBar->text(), Done);
        QVERIFY(!w.busy());
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("HTTP/1.0 200 OK\r\nX: 1\r\n\r\nbody"));
        QCOMPARE(server.received, QByteArray("GET / HTTP/1.0\r\n\r\n"));
        QCOMPARE(w.addressCmb->itemText(0), QStringLiteral("127.0.0.1"));
        QCOMPARE(w.portCmb->itemText(0), port(server));
        QVERIFY(w.box.texts.isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.sendCmd); // the keyboard works again

        // A Send that fails at once still empties the pane: the old response is gone.
        w.sendTo(QStringLiteral("127.0.0.1"), QStringLiteral("abc"), QStringLiteral("q"));
        QCOMPARE(w.box.texts.size(), 1);
        QCOMPARE(w.responseTxt->rawText(), QString());
        QVERIFY(w.form->engine().response().isEmpty());
    }

    void failuresOnTheStatusLineAndInTheBox_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("number");
        QTest::newRow("refused") << "127.0.0.1" << QString::number(refusedPort()) << "q" << 200;
        QTest::newRow("letters as port") << "127.0.0.1"
                                         << "abc"
                                         << "q" << 101;
        QTest::newRow("port past 32 bits") << "127.0.0.1"
                                           << "99999999999"
                                           << "q" << 102;
        QTest::newRow("blanks around the port convert") << "127.0.0.1"
                                                        << " " + QString::number(refusedPort()) + " "
                                                        << "q" << 200;
        // 〜 goes as the JIS wave dash; the emoji is selected for the user to fix.
        QTest::newRow("character the encoding cannot carry") << "127.0.0.1"
                                                             << "1"
                                                             << "GET\n〜\n😀" << 104;
    }
    void failuresOnTheStatusLineAndInTheBox()
    {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, request);
        QFETCH(int, number);
        TestWindow w;
        w.form->details().setEncoding(QStringLiteral("Shift_JIS"));
        w.responseTxt->setRawText(QStringLiteral("old"));
        w.sendTo(address, port, request);
        QTRY_COMPARE_WITH_TIMEOUT(w.box.texts.size(), 1, 10000);
        const QString status = w.statusBar->text();
        QVERIFY2(status.startsWith(QString::number(number) + ':'), qPrintable(status));
        QCOMPARE(status.mid(status.indexOf(':') + 1), w.box.texts.first());
        QVERIFY(!w.box.texts.first().isEmpty());
        QVERIFY(!w.busy());
        QCOMPARE(w.responseTxt->rawText(), QString());
        QCOMPARE(w.addressCmb->itemText(0), address); // recorded even though it failed
        QCOMPARE(w.portCmb->itemText(0), port);
        QVERIFY(!w.form->engine().isRunning());
        if (number == 104)
            QCOMPARE(w.requestTxt->textCursor().selectedText(), QStringLiteral("😀"));
    }

    // The proxy password is asked for when a user is given, kept for the run,
    // asked again once the proxy refuses it, and never stored.
    void proxyPasswordIsKeptForTheRunOnly()
    {
        if (const QString why = ProxyProcess::missing(QStringLiteral("tinyproxy")); !why.isEmpty())
            QSKIP(qPrintable(why));
        LoopbackServer server(Scripts::answerAndClose({"ok"}));
        const auto proxy = ProxyProcess::tinyproxy({server.port()}, QStringLiteral("alice"), QStringLiteral("s3cret"));
        TestWindow w;
        DetailsForm &d = w.form->details();
        QStringList asked;
        QList<QByteArray> answers{"bad", "s3cret", "s3cret"};
        d.setPasswordQuestion([&](QWidget *, const QString &subject) -> std::optional<QByteArray> {
            asked << subject;
            return answers.takeFirst();
        });
        d.findChild<QComboBox *>(QStringLiteral("proxyTypeCmb"))->setCurrentIndex(1); // HTTP (CONNECT)
        d.findChild<QLineEdit *>(QStringLiteral("proxyHostTxt"))->setText(QStringLiteral("127.0.0.1"));
        auto *port = d.findChild<QLineEdit *>(QStringLiteral("proxyPortTxt"));
        auto *user = d.findChild<QLineEdit *>(QStringLiteral("proxyUserTxt"));
        QVERIFY(port && user);
        port->setText(QStringLiteral("x"));
        user->setText(QStringLiteral("alice"));
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("GET / HTTP/1.0\n\n"));
        QCOMPARE(w.statusBar->text(), QStringLiteral("101:プロキシのポート番号「x」を数値に変換できません。"));
        port->setText(QString::number(proxy->port()));
        // Refused, asked again, then kept; another user is asked for anew.
        const QStringList statuses{QStringLiteral("261:"), Done, Done, QStringLiteral("261:")};
        for (int i = 0; i < statuses.size(); ++i) {
            user->setText(i < 3 ? QStringLiteral("alice") : QStringLiteral("bob"));
            w.sendCmd->click();
            QTRY_VERIFY_WITH_TIMEOUT(!w.busy() && !w.form->engine().isRunning(), 10000);
            QVERIFY2(w.statusBar->text().startsWith(statuses[i]), qPrintable(w.statusBar->text()));
        }
        QCOMPARE(asked.size(), 3);
        QVERIFY(asked.first().contains(QStringLiteral("alice@127.0.0.1:"))
                && asked.last().contains(QStringLiteral("bob@")));
        QCOMPARE(server.received, QByteArray("GET / HTTP/1.0\r\n\r\nGET / HTTP/1.0\r\n\r\n"));
        w.form->close();
        QCOMPARE(w.setting(QStringLiteral("ProxyUser")), QStringLiteral("bob"));
        for (QDirIterator it(w.configDir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            QFile f(it.next());
            QVERIFY(f.open(QIODevice::ReadOnly) && !f.readAll().contains("s3cret"));
        }
    }

    void timeOutBoxWhileBusyThenEnabled()
    {
        LoopbackServer server(Scripts::answerAndKeepOpen("partial"));
        TestWindow w;
        w.TimeOutSlider->setValue(1);
        bool closedWhileOpen = false;
        w.box.whileOpen = [&] { closedWhileOpen = w.form->engine().state() == Transport::Closed; };
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE_WITH_TIMEOUT(w.box.texts.size(), 1, 5000);
        QCOMPARE(w.box.texts.first(), timeOutText(1));
        QCOMPARE(w.statusBar->text(), timeOutText(1));
        QVERIFY(closedWhileOpen);
        QCOMPARE(w.box.ownerEnabled, QList<bool>{false});
        QVERIFY(!w.busy());
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("partial"));
    }

    void responseInTheChosenEncoding_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QList<QByteArray>>("pieces");
        // 応答 split inside its first character, with a line end and an invalid byte.
        QTest::newRow("Shift_JIS") << "Shift_JIS" << QList<QByteArray>{"\x89", "\x9E\x93\x9A\r\n\xFF"};
        QTest::newRow("EUC-JP") << "EUC-JP" << QList<QByteArray>{"\xB1", "\xFE\xC5\xFA\r\n\xFF"};
        QTest::newRow("UTF-8") << "UTF-8" << QList<QByteArray>{"\xE5\xBF", "\x9C\xE7\xAD\x94\r\n\xFF"};
    }
    void responseInTheChosenEncoding()
    {
        QFETCH(QString, encoding);
        QFETCH(QList<QByteArray>, pieces);
        LoopbackServer server(Scripts::answerAndClose(pieces));
        TestWindow w;
        w.form->details().setEncoding(encoding);
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("応答\r\n\uFFFD"));

        // Saved unedited: the bytes as they came.
        QTemporaryDir dir;
        w.dialog->answers << dir.filePath("r.txt");
        w.saveCmd->click();
        QCOMPARE(readFile(dir.filePath("r.txt")), pieces.join());

        // Another encoding shows the same bytes at once, without a new exchange.
        w.form->details().setEncoding(QStringLiteral("ISO-8859-1"));
        w.form->showWholeResponse();
        QCOMPARE(w.responseTxt->rawText().toLatin1(), pieces.join());
        QCOMPARE(server.connections, 1);
    }

    void requestCountIsWhatGoesOut_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("request");
        // ISO-2022-JP text must end back in ASCII: the escape counts too.
        QTest::newRow("ISO-2022-JP ending in kanji") << "ISO-2022-JP"
                                                     << "応答";
        QTest::newRow("ISO-2022-JP ending in a line end") << "ISO-2022-JP"
                                                          << "応答\na";
    }
    void requestCountIsWhatGoesOut()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, request);
        LoopbackServer server(Scripts::answerAndClose({"a"}));
        TestWindow w;
        w.form->details().setEncoding(encoding);
        w.requestTxt->setPlainText(request);
        w.detailsCmd->click();
        auto *count = w.form->details().findChild<QLabel *>(QStringLiteral("lineEndsLbl"));
        QVERIFY(count);
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("（(\\d+) バイト）")).match(count->text());
        QVERIFY2(m.hasMatch(), qPrintable(count->text()));
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), request);
        QTRY_COMPARE(w.statusBar->text(), Done);
        QCOMPARE(m.captured(1).toLongLong(), server.received.size());
    }

    void charsetOfTheResponseIsOneClickAway()
    {
        LoopbackServer server(Scripts::answerAndClose(
            {"HTTP/1.0 200 OK\r\nContent-Type: text/xml; charset=\"shift_jis\"\r\n\r\n\x89\x9E"}));
        TestWindow w;
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        auto *useIt = w.form->details().findChild<QPushButton *>(QStringLiteral("charsetCmd"));
        QVERIFY(useIt && !useIt->isHidden());
        useIt->click();
        QCOMPARE(w.form->details().encoding(), QStringLiteral("Shift_JIS"));
        w.form->showWholeResponse();
        QVERIFY(w.responseTxt->rawText().endsWith(QStringLiteral("\r\n\r\n応")));
        QVERIFY(useIt->isHidden());
    }

    void editedResponseSavesThePaneText()
    {
        LoopbackServer server(Scripts::answerAndClose({"\x89\x9E"}));
        TestWindow w;
        w.form->details().setEncoding(QStringLiteral("Shift_JIS"));
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        QTest::keyClick(w.responseTxt, Qt::Key_End, Qt::ControlModifier);
        QTest::sendKeyEvent(QTest::Click, w.responseTxt, Qt::Key_unknown, QStringLiteral("答"), Qt::NoModifier);
        QTemporaryDir dir;
        w.dialog->answers << dir.filePath("r.txt");
        w.saveCmd->click();
        QCOMPARE(readFile(dir.filePath("r.txt")), QByteArray("\x89\x9E\x93\x9A"));
    }

    // Stop (the button or Esc) is the one control that takes input while an
    // exchange runs; what arrived stays, and no box is shown.
    void stopKeepsWhatArrived_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("中止") << false;
        QTest::newRow("Esc") << true;
    }
    void stopKeepsWhatArrived()
    {
        QFETCH(bool, byKey);
        LoopbackServer server(Scripts::answerAndKeepOpen("partial"));
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        auto *stop = w.form->findChild<QPushButton *>(QStringLiteral("stopCmd"));
        for (int round = 0; round < 2; ++round) { // the second after an exchange that ended
            w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
            QTRY_COMPARE(w.form->engine().response(), QByteArray("partial"));
            QVERIFY(w.busy() && stop->isVisible() && stop->isEnabled());
            if (byKey)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                QTest::mouseClick(stop, Qt::LeftButton);
            QCOMPARE(w.statusBar->text(), QStringLiteral("中止しました。"));
            QVERIFY(!w.form->engine().isRunning() && !w.busy() && !stop->isVisible());
            w.form->showWholeResponse();
            QCOMPARE(w.responseTxt->rawText(), QStringLiteral("partial"));
        }
        QTest::qWait(50);
        QVERIFY(w.box.texts.isEmpty());
    }

    // A client certificate's password is asked once a run; a wrong one is
    // forgotten and asked again.
    void passwordAskedOncePerRun()
    {
        TlsLoopbackServer server(QStringLiteral("server"), true);
        TestWindow w;
        DetailsForm &d = w.form->details();
        QStringList answers{"nope", "p12-test"}, asked;
        d.setPasswordQuestion([&](QWidget *, const QString &subject) -> std::optional<QByteArray> {
            asked << subject;
            return answers.isEmpty() ? std::nullopt : std::optional<QByteArray>(answers.takeFirst().toUtf8());
        });
        d.findChild<QCheckBox *>(QStringLiteral("tlsChk"))->setChecked(true);
        d.findChild<QLineEdit *>(QStringLiteral("caFileTxt"))->setText(testCert(QStringLiteral("ca.pem")));
        d.findChild<QLineEdit *>(QStringLiteral("clientCertTxt"))->setText(testCert(QStringLiteral("client.p12")));
        for (const QString &end : {QStringLiteral("302:"), Done, Done}) {
            w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("q"));
            QTRY_VERIFY(!w.form->engine().isRunning() && !w.busy());
            QVERIFY2(w.statusBar->text().startsWith(end), qPrintable(w.statusBar->text()));
        }
        QCOMPARE(asked, QStringList(2, testCert(QStringLiteral("client.p12"))));
        QCOMPARE(server.encrypted, 2);
    }

    // A stray key in a response shown with the wrong encoding: Save asks
    // whether to write the bytes that arrived or the text with U+FFFD in it.
    void aStrayKeyInTheResponse_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("saved"); // empty: nothing written
        QTest::newRow("the received bytes") << 0 << QByteArray("\x89\x9E\x93\x9A");
        QTest::newRow("the text as shown") << 1 << QByteArray("x") + QByteArray("\xEF\xBF\xBD").repeated(4);
        QTest::newRow("cancel") << 2 << QByteArray();
    }
    void aStrayKeyInTheResponse()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, saved);
        LoopbackServer server(Scripts::answerAndClose({"\x89\x9E\x93\x9A"}));
        TestWindow w;
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        QSignalSpy edited(w.responseTxt, &ResponseView::editedChanged);
        QTest::keyClick(w.responseTxt, Qt::Key_X);
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("x\uFFFD\uFFFD\uFFFD\uFFFD"));
        QCOMPARE(edited.count(), 1);
        QTemporaryDir dir;
        w.dialog->answers << dir.filePath("r.txt");
        w.box.answer = answer;
        w.saveCmd->click();
        QCOMPARE(w.box.questions.size(), 1);
        QCOMPARE(w.dialog->shown.size(), saved.isEmpty() ? 0 : 1);
        QCOMPARE(readFile(dir.filePath("r.txt")), saved);
        QVERIFY(!w.busy());
    }

    void editsOfTheResponseAreUndoneAndReverted()
    {
        LoopbackServer server(Scripts::answerAndClose({"ab\r\n"}));
        TestWindow w;
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        QSignalSpy edited(w.responseTxt, &ResponseView::editedChanged);
        QTest::keyClick(w.responseTxt, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(w.responseTxt, Qt::Key_Backspace);
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("ab"));
        // After the exchange the edit can be taken back; the arrival cannot.
        QTest::keyClick(w.responseTxt->editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("ab\r\n"));
        QVERIFY(!w.responseTxt->editor()->document()->isUndoAvailable());
        QTest::keyClick(w.responseTxt->editor(), Qt::Key_Q);
        w.responseTxt->revert();
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("ab\r\n"));
        QVERIFY(!w.responseTxt->editor());
        QCOMPARE(edited.count(), 4);
        QCOMPARE(edited.last().first().toBool(), false);
        // Reverted, Save writes the bytes that arrived, without a question.
        QTemporaryDir dir;
        w.dialog->answers << dir.filePath("r.txt");
        w.saveCmd->click();
        QVERIFY(w.box.questions.isEmpty());
        QCOMPARE(readFile(dir.filePath("r.txt")), QByteArray("ab\r\n"));
    }

    void closingTheWindowEndsARunningExchange()
    {
        LoopbackServer server(Scripts::answerAndKeepOpen("part"));
        TestWindow w;
        w.form->show();
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.responseTxt->rawText(), QStringLiteral("part"));
        QVERIFY(w.form->windowHandle()->close());
        QVERIFY(!w.form->isVisible());
        QVERIFY(!w.form->engine().isRunning());
        for (const char *timer : {"TimerWinsock", "TimerWinsockClose"})
            QVERIFY(!w.form->findChild<QTimer *>(QString::fromLatin1(timer))->isActive());
        QCOMPARE(w.setting(QStringLiteral("Address1")), QStringLiteral("127.0.0.1"));
        QTest::qWait(50);
        QVERIFY(w.box.texts.isEmpty());
    }
};

QTEST_MAIN(ExchangeTest)
#include "tst_exchange.moc"
