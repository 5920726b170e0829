// Reading a response in the window: the 整形 page and the find bar.
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QtTest>

namespace {
// Picks the entry named text from the context menu about to open.
void chooseFromMenu(const QString &text)
{
    QTimer::singleShot(100, [text] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *a : menu->actions())
            if (a->text() == text)
                a->trigger();
        menu->close();
    });
}
} // namespace

class ReadingTest : public QObject
{
    Q_OBJECT
private slots:
    void prettyPageShowsTheFault()
    {
        QStringEncoder sjis("Shift_JIS");
        const QByteArray body = sjis.encode(QStringLiteral(
            "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><s:Fault>"
            "<faultcode>s:Server</faultcode><faultstring>応答できません</faultstring></s:Fault></s:Body></s:Envelope>"));
        const QByteArray response = "HTTP/1.1 500 Error\r\nContent-Type: text/xml; charset=Shift_JIS\r\n"
                                    "Transfer-Encoding: chunked\r\n\r\n10\r\n" + body.left(16) + "\r\n"
                                    + QByteArray::number(body.size() - 16, 16) + "\r\n" + body.mid(16) + "\r\n0\r\n\r\n";
        LoopbackServer server(Scripts::answerAndClose({response}));
        TestWindow w;
        w.form->show();
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("POST / HTTP/1.1\n\n"));
        QTRY_VERIFY_WITH_TIMEOUT(w.form->isEnabled() && !w.form->engine().isRunning(), 10000);
        w.form->showWholeResponse();

        chooseFromMenu(QStringLiteral("本文を整形して表示"));
        emit w.responseTxt->customContextMenuRequested(QPoint(10, 10));
        DetailsForm &d = w.form->details();
        auto *view = d.findChild<QPlainTextEdit *>(QStringLiteral("prettyView"));
        auto *fault = d.findChild<QLabel *>(QStringLiteral("faultLbl"));
        QVERIFY(view && fault && view->isVisible());
        QTRY_VERIFY(view->toPlainText().contains(QStringLiteral("\n      <faultstring>応答できません</faultstring>\n")));
        QVERIFY(fault->isVisible());
        QVERIFY(fault->text().contains(QStringLiteral("faultcode: s:Server")));
        QVERIFY(fault->text().contains(QStringLiteral("faultstring: 応答できません")));
        d.findChild<QPushButton *>(QStringLiteral("prettyCopyCmd"))->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), view->toPlainText());
        // What arrived stays as it arrived.
        QCOMPARE(w.form->engine().response(), response);
        QVERIFY(w.responseTxt->rawText().startsWith(QStringLiteral("HTTP/1.1 500 Error\r\n")));
    }
};

QTEST_MAIN(ReadingTest)
#include "tst_reading.moc"
