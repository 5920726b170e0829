// The summary line beside the status text, and a status text too long for its line.
#include "TestSupport.h"
#include "TlsLoopbackServer.h"

#include "core/ExchangeEngine.h"
#include "gui/ResponseView.h"
#include "gui/SummaryLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

class SummaryTest : public QObject
{
    Q_OBJECT
private slots:
    void afterAnExchange_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("parts"); // before the size and the time
        QTest::addColumn<bool>("warned");       // the verdict in the warning colour
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Length: ";
        QTest::newRow("complete") << head + "2\r\n\r\nok" << QStringList{"HTTP/1.1 200 OK", "完全"} << false;
        QTest::newRow("cut short") << head + "1000\r\n\r\n" + QByteArray(100, 'x')
                                   << QStringList{"HTTP/1.1 200 OK", "不足 900 バイト"} << true;
        QTest::newRow("not HTTP") << QByteArray("hello") << QStringList{} << false;
        const QByteArray fault =
            "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><s:Fault>"
            "<faultcode>s:Server</faultcode><faultstring>busy</faultstring></s:Fault></s:Body></s:Envelope>";
        QTest::newRow("SOAP Fault") << "HTTP/1.0 500 Internal Server Error\r\n\r\n" + fault
                                    << QStringList{"HTTP/1.0 500 Internal Server Error", "閉じるまで"} << false;
    }
    void afterAnExchange()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, parts);
        QFETCH(bool, warned);
        LoopbackServer server(Scripts::answerAndClose({answer}));
        TestWindow w;
        auto *s = w.form->findChild<SummaryLine *>(QStringLiteral("summaryLbl"));
        QCOMPARE(s->focusPolicy(), Qt::NoFocus);
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("q"));
        QTRY_VERIFY(!w.form->engine().isRunning());
        const QStringList shown = s->text().split(QStringLiteral(" | "));
        QCOMPARE(shown.mid(0, parts.size()), parts);
        QCOMPARE(shown.value(parts.size()), QStringLiteral("%1 バイト").arg(answer.size()));
        QVERIFY2(shown.value(parts.size() + 1).endsWith(QStringLiteral(" ms")), qPrintable(s->text()));
        QCOMPARE(s->parts().value(1).warning, warned);
        QCOMPARE(shown.value(parts.size() + 2),
                 answer.contains("Fault") ? QStringLiteral("SOAP Fault: s:Server — busy") : QString());
        QCOMPARE(w.statusBar->text(), QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。"));
    }

    // What changes the wire or the display is always named; a click opens the
    // details window at the page where it is set.
    void optionsAndTheirPages()
    {
        TestWindow w;
        w.form->show();
        w.form->resize(1600, 500);
        auto *s = w.form->findChild<SummaryLine *>(QStringLiteral("summaryLbl"));
        DetailsForm &d = w.form->details();
        const auto check = [&d](const char *name) { return d.findChild<QCheckBox *>(QLatin1String(name)); };
        QCOMPARE(s->text(), QString());
        check("tlsChk")->setChecked(true);
        check("verifyChk")->setChecked(false);
        d.setEncoding(QStringLiteral("EUC-JP"));
        check("crlfChk")->setChecked(true);
        d.findChild<QComboBox *>(QStringLiteral("limitCmb"))->setCurrentText(QStringLiteral("64 MiB"));
        QCOMPARE(s->text(), QStringLiteral("TLS | 証明書を検証しない | EUC-JP | 読み込み時 CR LF | 上限 64 MiB"));
        QVERIFY(s->parts().at(1).warning);
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->contentsRect().left() + 6, s->height() / 2));
        QVERIFY(d.isVisible() && d.findChild<QTabWidget *>()->currentWidget()->isAncestorOf(check("tlsChk")));
    }

    // A keystroke in the response pane is told, and 元に戻す puts back what arrived.
    void editedAndReverted()
    {
        LoopbackServer server(Scripts::answerAndClose({"ab"}));
        TestWindow w;
        w.form->show();
        auto *s = w.form->findChild<SummaryLine *>(QStringLiteral("summaryLbl"));
        auto *revert = w.form->findChild<QPushButton *>(QStringLiteral("revertResponseCmd"));
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("q"));
        QTRY_VERIFY(!w.form->engine().isRunning());
        QVERIFY(!s->text().contains(QStringLiteral("編集済み")) && !revert->isVisible());
        QTest::keyClick(w.responseTxt, Qt::Key_X);
        QVERIFY(s->text().startsWith(QStringLiteral("編集済み | ")) && s->parts().first().warning);
        QVERIFY(revert->isVisible() && w.statusBar->geometry().contains(revert->geometry()));
        QTest::mouseClick(revert, Qt::LeftButton);
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("ab"));
        QVERIFY(!s->text().contains(QStringLiteral("編集済み")) && !revert->isVisible());
    }

    // A status text cut on its line (two lines, or wider than the window) is
    // whole in the tooltip, after the status bar's own tip.
    void statusTextWholeInTheTooltip_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::newRow("two-line TLS failure 300") << true;
        QTest::newRow("failure 104 at the smallest width") << false;
    }
    void statusTextWholeInTheTooltip()
    {
        QFETCH(bool, tls);
        TlsLoopbackServer server(QStringLiteral("selfsigned"));
        TestWindow w;
        w.form->show();
        w.form->resize(100, 100); // the smallest it takes
        w.form->details().findChild<QCheckBox *>(QStringLiteral("tlsChk"))->setChecked(tls);
        w.form->details().setEncoding(QStringLiteral("ISO-8859-1"));
        w.sendTo(QStringLiteral("127.0.0.1"), tls ? QString::number(server.port()) : QStringLiteral("1"),
                 tls ? QStringLiteral("q") : QStringLiteral("GET / HTTP/1.0\n応答"));
        QTRY_COMPARE(w.box.texts.size(), 1);
        const QString status = w.statusBar->text();
        QVERIFY2(status.startsWith(tls ? QStringLiteral("300:") : QStringLiteral("104:")), qPrintable(status));
        QToolTip::hideText();
        QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), w.statusBar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(w.statusBar, &e);
        const QString tip = QToolTip::text();
        QVERIFY2(tip.contains(QStringLiteral("操作中のステータスを表示します。")), qPrintable(tip));
        for (const QString &line : status.split(QLatin1Char('\n')))
            QVERIFY2(tip.contains(line.toHtmlEscaped()), qPrintable(tip + " / " + line));
        // The summary shares the row inside the bar.
        QVERIFY(w.statusBar->rect().contains(w.form->findChild<QWidget *>(QStringLiteral("summaryLbl"))->geometry()));
    }
};

QTEST_MAIN(SummaryTest)
#include "tst_summary.moc"
