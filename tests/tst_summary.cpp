// The summary line beside the status text, and a status text too long for
// its line.
#include "TestSupport.h"
#include "TlsLoopbackServer.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"
#include "gui/SummaryLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest>

namespace {
SummaryLine *summaryOf(const TestWindow &w)
{
    return w.form->findChild<SummaryLine *>(QStringLiteral("summaryLbl"));
}

// The tooltip a pointer resting on the widget gets.
QString tipOf(QWidget *w)
{
    QToolTip::hideText();
    QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w, &e);
    return QToolTip::text();
}
} // namespace

class SummaryTest : public QObject
{
    Q_OBJECT
private slots:
    void afterAnExchange_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("parts"); // as shown, before the size and time
        QTest::addColumn<QString>("warning");   // the part in the warning colour
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Length: ";
        QTest::newRow("complete") << head + "2\r\n\r\nok" << QStringList{"HTTP/1.1 200 OK", "完全"} << "";
        QTest::newRow("cut short") << head + "1000\r\n\r\n" + QByteArray(100, 'x')
                                   << QStringList{"HTTP/1.1 200 OK", "不足 900 バイト"} << "不足 900 バイト";
        QTest::newRow("more than announced") << head + "2\r\n\r\nokXYZ" << QStringList{"HTTP/1.1 200 OK", "余分 3 バイト"}
                                             << "余分 3 バイト";
        QTest::newRow("framed by the close") << QByteArray("HTTP/1.0 404 Not Found\r\n\r\nno")
                                             << QStringList{"HTTP/1.0 404 Not Found", "閉じるまで"} << "";
        QTest::newRow("chunked without its last chunk") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n")
                                                        << QStringList{"HTTP/1.1 200 OK", "不足（終端チャンクなし）"}
                                                        << "不足（終端チャンクなし）";
        QTest::newRow("not HTTP") << QByteArray("hello") << QStringList{} << "";
    }
    void afterAnExchange()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, parts);
        QFETCH(QString, warning);
        LoopbackServer server(Scripts::answerAndClose({answer}));
        TestWindow w;
        SummaryLine *s = summaryOf(w);
        QVERIFY(s);
        QCOMPARE(s->focusPolicy(), Qt::NoFocus);
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("q"));
        QTRY_VERIFY(!w.form->engine().isRunning());
        const QStringList shown = s->text().split(QStringLiteral(" | "));
        QCOMPARE(shown.mid(0, parts.size()), parts);
        QCOMPARE(shown.value(parts.size()), QStringLiteral("%1 バイト").arg(answer.size()));
        QVERIFY2(shown.value(parts.size() + 1).endsWith(QStringLiteral(" ms")), qPrintable(s->text()));
        QStringList warned;
        for (const SummaryLine::Part &p : s->parts())
            if (p.warning)
                warned << p.text;
        QCOMPARE(warned, warning.isEmpty() ? QStringList() : QStringList{warning});
        // The status text of the spec stays as it was.
        QCOMPARE(w.statusBar->text(), QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。"));
    }

    // What changes the wire or the display is always named; a click opens the
    // details window at the page where it is set.
    void optionsAndTheirPages()
    {
        TestWindow w;
        w.form->show();
        w.form->resize(1600, 500);
        SummaryLine *s = summaryOf(w);
        DetailsForm &d = w.form->details();
        QCOMPARE(s->text(), QString());
        d.findChild<QCheckBox *>(QStringLiteral("tlsChk"))->setChecked(true);
        d.findChild<QCheckBox *>(QStringLiteral("verifyChk"))->setChecked(false);
        d.setEncoding(QStringLiteral("EUC-JP"));
        d.findChild<QCheckBox *>(QStringLiteral("crlfChk"))->setChecked(true);
        d.findChild<QComboBox *>(QStringLiteral("limitCmb"))->setCurrentText(QStringLiteral("64 MiB"));
        QCOMPARE(s->text(), QStringLiteral("TLS | 証明書を検証しない | EUC-JP | 読み込み時 CR LF | 上限 64 MiB"));
        QVERIFY(s->parts().at(1).warning);
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->contentsRect().left() + 6, s->height() / 2));
        QTRY_VERIFY(d.isVisible());
        QVERIFY(d.findChild<QTabWidget *>()->currentWidget()->isAncestorOf(d.findChild<QCheckBox *>(QStringLiteral("tlsChk"))));
        d.findChild<QCheckBox *>(QStringLiteral("tlsChk"))->setChecked(false);
        d.setEncoding(QStringLiteral("UTF-8"));
        QCOMPARE(s->text(), QStringLiteral("読み込み時 CR LF | 上限 64 MiB"));
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->contentsRect().left() + 6, s->height() / 2));
        QVERIFY(d.findChild<QTabWidget *>()->currentWidget()->isAncestorOf(d.findChild<QCheckBox *>(QStringLiteral("crlfChk"))));
        s->setSoapFault(QStringLiteral("Server busy"));
        QVERIFY(s->text().startsWith(QStringLiteral("SOAP Fault: Server busy | ")));
    }

    // A status text cut on its line (two lines, or wider than the window) is
    // whole in the tooltip, after the status bar's own tip.
    void statusTextWholeInTheTooltip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("two-line TLS failure") << "tls";
        QTest::newRow("failure 104 at the smallest width") << "104";
    }
    void statusTextWholeInTheTooltip()
    {
        QFETCH(QString, kind);
        TlsLoopbackServer server(QStringLiteral("selfsigned"));
        TestWindow w;
        w.form->show();
        w.form->resize(100, 100); // the smallest it takes
        QTest::qWait(20);
        if (kind == "tls") {
            w.form->details().findChild<QCheckBox *>(QStringLiteral("tlsChk"))->setChecked(true);
            w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("q"));
        } else {
            w.form->details().setEncoding(QStringLiteral("ISO-8859-1"));
            w.sendTo(QStringLiteral("127.0.0.1"), QStringLiteral("1"), QStringLiteral("GET / HTTP/1.0\n応答"));
        }
        QTRY_COMPARE(w.box.texts.size(), 1);
        const QString status = w.statusBar->text();
        QVERIFY2(status.startsWith(kind == "tls" ? QStringLiteral("300:") : QStringLiteral("104:")), qPrintable(status));
        const QString tip = tipOf(w.statusBar);
        QVERIFY2(tip.contains(QStringLiteral("操作中のステータスを表示します。")), qPrintable(tip));
        for (const QString &line : status.split(QLatin1Char('\n')))
            QVERIFY2(tip.contains(line.toHtmlEscaped()), qPrintable(tip + " / " + line));
        // The summary shares the row without covering it: both lie inside the bar.
        const QWidget *s = summaryOf(w);
        QVERIFY(w.statusBar->rect().contains(s->geometry()));
    }
};

QTEST_MAIN(SummaryTest)
#include "tst_summary.moc"
