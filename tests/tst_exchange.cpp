// Send and receive against real loopback servers.
#include "TestSupport.h"

#include "core/Transport.h"
#include "gui/RawTextPane.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTcpSocket>
#include <QtTest>

#include <sys/socket.h>

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
        QTest::newRow("all empty") << "" << "" << "" << "接続先サーバのIPアドレスが指定されていません。" << "addressCmb"
                                   << "接続先サーバのIPアドレスを指定して下さい。";
        QTest::newRow("port empty") << "h" << "" << "" << "接続先サーバのポート番号が指定されていません。" << "portCmb"
                                    << "接続先サーバのポート番号を指定して下さい。";
        QTest::newRow("request empty") << "h" << "80" << "" << "要求メッセージが入力されていません。" << "requestTxt"
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
        QVERIFY(w.form->isEnabled());
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
        QVERIFY(!w.form->isEnabled());
        QTRY_COMPARE(w.statusBar->text(), Done);
        QVERIFY(w.form->isEnabled());
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("HTTP/1.0 200 OK\r\nX: 1\r\n\r\nbody"));
        QCOMPARE(server.received, QByteArray("GET / HTTP/1.0\r\n\r\n"));
        QCOMPARE(w.addressCmb->itemText(0), QStringLiteral("127.0.0.1"));
        QCOMPARE(w.portCmb->itemText(0), port(server));
        QVERIFY(w.box.texts.isEmpty());
        QVERIFY(!w.form->TimerWinsock.isActive());
        QVERIFY(!w.form->TimerWinsockClose.isActive());
        QCOMPARE(QApplication::focusWidget(), w.sendCmd); // the keyboard works again
    }

    void responseBytesKeptExactly_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::newRow("UTF-8 character split between arrivals") << QList<QByteArray>{"\xE5\xBF", "\x9C\xE7\xAD\x94"};
        QTest::newRow("CR and LF in different arrivals") << QList<QByteArray>{"a\r", "\nb\r", "c\n"};
        QTest::newRow("NUL bytes") << QList<QByteArray>{QByteArray("x\0y", 3), QByteArray("\0", 1)};
    }
    void responseBytesKeptExactly()
    {
        QFETCH(QList<QByteArray>, pieces);
        LoopbackServer server(Scripts::answerAndClose(pieces));
        TestWindow w;
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Done);
        QCOMPARE(w.responseTxt->rawText().toUtf8(), pieces.join());
    }

    void timeOuts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("response");
        QTest::newRow("never answers") << 0 << QString();
        QTest::newRow("closes without sending") << 1 << QString();
        QTest::newRow("answers and keeps the connection open") << 2 << QStringLiteral("partial");
    }
    void timeOuts()
    {
        QFETCH(int, kind);
        QFETCH(QString, response);
        const LoopbackServer::Script scripts[] = {Scripts::neverAnswer(), Scripts::closeWithoutSending(),
                                                  Scripts::answerAndKeepOpen(response.toUtf8())};
        LoopbackServer server(scripts[kind]);
        TestWindow w;
        w.TimeOutSlider->setValue(1);
        bool quietWhileOpen = false;
        w.box.whileOpen = [&] {
            quietWhileOpen = w.form->winsock->state() == Winsock::Closed && !w.form->TimerWinsock.isActive()
                             && !w.form->TimerWinsockClose.isActive();
        };
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_COMPARE(w.statusBar->text(), Waiting);
        QTRY_COMPARE_WITH_TIMEOUT(w.box.texts.size(), 1, 5000);
        QCOMPARE(w.box.texts.first(), timeOutText(1));
        QCOMPARE(w.statusBar->text(), timeOutText(1));
        QVERIFY(quietWhileOpen);
        QCOMPARE(w.box.ownerEnabled, QList<bool>{false});
        QVERIFY(w.form->isEnabled());
        QCOMPARE(w.responseTxt->rawText(), response);
        QTest::qWait(1300); // no second report from a stale tick
        QCOMPARE(w.box.texts.size(), 1);
    }

    void socketFailures_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("number");
        QTest::newRow("refused") << "127.0.0.1" << QString::number(refusedPort()) << 200;
        QTest::newRow("blank address") << "   " << "80" << 202;
        QTest::newRow("unresolvable host") << "no-such-host.invalid" << "80" << 202;
        QTest::newRow("letters as port") << "127.0.0.1" << "abc" << 101;
        QTest::newRow("port 0") << "127.0.0.1" << "0" << 102;
        QTest::newRow("port -1") << "127.0.0.1" << "-1" << 102;
        QTest::newRow("port 65536") << "127.0.0.1" << "65536" << 102;
        QTest::newRow("port past 32 bits") << "127.0.0.1" << "99999999999" << 102;
        QTest::newRow("blank before the port converts") << "127.0.0.1" << " " + QString::number(refusedPort()) << 200;
        QTest::newRow("blank after the port converts") << "127.0.0.1" << QString::number(refusedPort()) + " " << 200;
    }
    void socketFailures()
    {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(int, number);
        TestWindow w;
        w.responseTxt->setRawText(QStringLiteral("old"));
        w.sendTo(address, port, QStringLiteral("q"));
        QTRY_COMPARE_WITH_TIMEOUT(w.box.texts.size(), 1, 10000);
        const QString status = w.statusBar->text();
        QVERIFY2(status.startsWith(QString::number(number) + ':'), qPrintable(status));
        QCOMPARE(status.mid(status.indexOf(':') + 1), w.box.texts.first());
        QVERIFY(!w.box.texts.first().isEmpty());
        QVERIFY(w.form->isEnabled());
        QCOMPARE(w.responseTxt->rawText(), QString());
        QCOMPARE(w.addressCmb->itemText(0), address); // recorded even though it failed
        QCOMPARE(w.portCmb->itemText(0), port);
        QVERIFY(!w.form->TimerWinsock.isActive());
    }

    void resetMidResponse()
    {
        // Linux reports a reset to Qt as an ordinary close: whatever arrived is kept.
        LoopbackServer server([](QTcpSocket *s, LoopbackServer *) {
            s->write("partial");
            QTimer::singleShot(100, s, [s] {
                const linger hard{1, 0};
                setsockopt(static_cast<int>(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                s->abort();
            });
        });
        TestWindow w;
        w.sendTo(QStringLiteral("127.0.0.1"), port(server), QStringLiteral("q"));
        QTRY_VERIFY(w.form->isEnabled());
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("partial"));
        QVERIFY(w.statusBar->text() == Done || w.box.texts.size() == 1);
    }

    void failedExchangeLeavesNoStaleTimer()
    {
        // The first exchange fails while its time-out runs; the second answers
        // later than that time-out and must still complete.
        LoopbackServer silent(Scripts::neverAnswer());
        TestWindow w;
        w.TimeOutSlider->setValue(1);
        w.sendTo(QStringLiteral("127.0.0.1"), port(silent), QStringLiteral("q"));
        QTRY_VERIFY(w.form->TimerWinsock.isActive());
        w.form->Winsock_Error(207, QStringLiteral("network"));
        QVERIFY(w.form->isEnabled());

        LoopbackServer slow([](QTcpSocket *s, LoopbackServer *) {
            QTimer::singleShot(600, s, [s] { s->write("late"); });
            QTimer::singleShot(1500, s, [s] { s->disconnectFromHost(); });
        });
        w.TimeOutSlider->setValue(3);
        w.sendTo(QStringLiteral("127.0.0.1"), port(slow), QStringLiteral("q"));
        QTRY_COMPARE_WITH_TIMEOUT(w.statusBar->text(), Done, 5000);
        QCOMPARE(w.box.texts, QStringList{"network"});
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("late"));
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
        QCOMPARE(w.form->winsock->state(), int(Winsock::Closed));
        QVERIFY(!w.form->TimerWinsock.isActive());
        QCOMPARE(w.setting(QStringLiteral("Address1")), QStringLiteral("127.0.0.1"));
        QTest::qWait(50);
        QVERIFY(w.box.texts.isEmpty());
    }
};

QTEST_MAIN(ExchangeTest)
#include "tst_exchange.moc"
