// Reading a response in the window: the 整形 page and the find bar.
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/HexView.h"
#include "gui/RawText.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTabWidget>
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

    void findBar()
    {
        // The second match lies across the cut the pane makes in a long line.
        const QString line = QString(RawText::MaxBlock - 2, QLatin1Char('x')) + QStringLiteral("fault");
        LoopbackServer server(Scripts::answerAndClose({"HTTP/1.1 200 OK\r\n\r\n\xE5\xBF\x9C\r\n<Fault/>\r\n"}));
        TestWindow w;
        w.form->show();
        w.addressCmb->setEditText(QStringLiteral("127.0.0.1"));
        w.portCmb->setEditText(QString::number(server.port()));
        w.requestTxt->setRawText(QStringLiteral("<Fault>\r\n") + line + QStringLiteral("\r\nFAULT"));
        w.sendCmd->click();
        QTRY_VERIFY_WITH_TIMEOUT(w.form->isEnabled() && !w.form->engine().isRunning(), 10000);
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));

        const auto parts = [](QWidget *window) {
            return std::make_tuple(window->findChild<QWidget *>(QStringLiteral("findBar")),
                                   window->findChild<QLineEdit *>(QStringLiteral("findTxt")),
                                   window->findChild<QLabel *>(QStringLiteral("findCountLbl")),
                                   window->findChild<QCheckBox *>(QStringLiteral("findCaseChk")),
                                   window->findChild<QCheckBox *>(QStringLiteral("findHexChk")));
        };
        auto [bar, text, count, caseChk, hexChk] = parts(w.form.get());
        w.requestTxt->setFocus();
        QTest::keySequence(w.requestTxt, QKeySequence::Find);
        QVERIFY(bar->isVisible() && text->hasFocus() && !hexChk->isVisible());
        QTest::keyClicks(text, QStringLiteral("fault"));
        QTRY_COMPARE(count->text(), QStringLiteral("3 件中 1 件目"));
        QCOMPARE(w.requestTxt->textCursor().selectedText(), QStringLiteral("Fault"));
        QTest::keyClick(text, Qt::Key_F3);
        QCOMPARE(count->text(), QStringLiteral("3 件中 2 件目"));
        QCOMPARE(w.requestTxt->textCursor().selectedText(), QStringLiteral("fa") + QChar(QChar::ParagraphSeparator) + "ult");
        QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
        QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(count->text(), QStringLiteral("3 件中 3 件目"));
        QCOMPARE(w.requestTxt->textCursor().selectedText(), QStringLiteral("FAULT"));
        caseChk->click();
        QTRY_COMPARE(count->text(), QStringLiteral("1 件中 1 件目"));
        // Esc closes the bar only while the bar has the focus.
        w.requestTxt->setFocus();
        QTest::keyClick(w.requestTxt, Qt::Key_Escape);
        QVERIFY(bar->isVisible());
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());

        // The same bar over the response pane searches the kept bytes.
        caseChk->click();
        w.responseTxt->setFocus();
        QTest::keySequence(w.responseTxt, QKeySequence::Find);
        QTRY_COMPARE(count->text(), QStringLiteral("1 件中 1 件目"));
        QCOMPARE(w.responseTxt->textCursor().selectedText(), QStringLiteral("Fault"));

        // The hex view searches the kept bytes, for text or for hex bytes.
        w.form->details().showOver(w.form.get());
        auto *hex = w.form->details().findChild<HexView *>(QStringLiteral("hexView"));
        QVERIFY(QTest::qWaitForWindowActive(&w.form->details()));
        auto [hexBar, hexText, hexCount, hexCase, hexHex] = parts(&w.form->details());
        w.form->details().findChild<QTabWidget *>()->setCurrentWidget(hex);
        hex->setFocus();
        QTest::keySequence(hex, QKeySequence::Find);
        QVERIFY(hexBar->isVisible() && hexHex->isVisible());
        hexHex->click();
        QTest::keyClicks(hexText, QStringLiteral("0d 0a"));
        QTRY_COMPARE(hexCount->text(), QStringLiteral("4 件中 1 件目"));
        QTest::keyClick(hexText, Qt::Key_Return);
        QCOMPARE(hexCount->text(), QStringLiteral("4 件中 2 件目"));
        QCOMPARE(hex->selection().start, qint64(17));
        QCOMPARE(hex->selection().length, qint64(2));
    }
};

QTEST_MAIN(ReadingTest)
#include "tst_reading.moc"
