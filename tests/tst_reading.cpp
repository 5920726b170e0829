// Reading a response in the window: the 整形 page and the find bar.
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/HexView.h"
#include "gui/RawText.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {
// Sends to a server that answers with response and waits for the end.
void exchange(TestWindow &w, const QByteArray &response, const QString &encoding = QStringLiteral("UTF-8"))
{
    LoopbackServer server(Scripts::answerAndClose({response}));
    w.form->details().setEncoding(encoding);
    w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("GET / HTTP/1.0\n\n"));
    QTRY_VERIFY_WITH_TIMEOUT(!w.busy() && !w.form->engine().isRunning(), 10000);
}

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
                                    "Transfer-Encoding: chunked\r\n\r\n10\r\n"
                                    + body.left(16) + "\r\n" + QByteArray::number(body.size() - 16, 16) + "\r\n"
                                    + body.mid(16) + "\r\n0\r\n\r\n";
        LoopbackServer server(Scripts::answerAndClose({response}));
        TestWindow w;
        w.form->show();
        w.sendTo(QStringLiteral("127.0.0.1"), QString::number(server.port()), QStringLiteral("POST / HTTP/1.1\n\n"));
        QTRY_VERIFY_WITH_TIMEOUT(!w.busy() && !w.form->engine().isRunning(), 10000);
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

    // A body that names no charset is read again in the encoding chosen.
    void prettyPageFollowsTheEncoding()
    {
        TestWindow w;
        w.form->show();
        exchange(w, "HTTP/1.1 200 OK\r\n\r\n<a>\x89\x9E\x93\x9A</a>");
        w.form->details().showPretty(w.form.get());
        auto *view = w.form->details().findChild<QPlainTextEdit *>(QStringLiteral("prettyView"));
        auto *about = w.form->details().findChild<QLabel *>(QStringLiteral("prettyInfoLbl"));
        QTRY_VERIFY(view->toPlainText().contains(QChar::ReplacementCharacter));
        w.form->details().setEncoding(QStringLiteral("Shift_JIS"));
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("<a>応答</a>"));
        QVERIFY(about->text().startsWith(QStringLiteral("文字コード: Shift_JIS（応答が文字コードを示していないため")));
    }

    // Lines go into the page's text blocks 32 at a time: colours and the error
    // line must still fall on their lines, and a copy must have plain line ends.
    void prettyPageColoursEveryLine()
    {
        QByteArray json = "[";
        for (int i = 1; i <= 40; ++i)
            json += QByteArray::number(i) + ",";
        json += ",]";
        TestWindow w;
        w.form->show();
        exchange(w, "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n" + json);
        w.form->details().showPretty(w.form.get());
        auto *view = w.form->details().findChild<QPlainTextEdit *>(QStringLiteral("prettyView"));
        QTRY_VERIFY(view->toPlainText().contains(QStringLiteral("  40,\n▲ JSON の構文エラー（1 行 113 桁目）")));
        const auto colourAt = [view](const QString &what) {
            const QTextCursor c = view->document()->find(what);
            const QTextBlock b = c.block();
            const int at = c.selectionStart() - b.position();
            for (const QTextLayout::FormatRange &r : b.layout()->formats())
                if (r.start <= at && at < r.start + r.length)
                    return r.format.foreground().color();
            return QColor();
        };
        QCOMPARE(colourAt(QStringLiteral("▲")), QColor(0xb0, 0x00, 0x20));
        QCOMPARE(colourAt(QStringLiteral("39,")), QColor(0x00, 0x7a, 0x80)); // a number in the second block
        QCOMPARE(colourAt(QStringLiteral(",]")), QColor());                  // after the error: as written
        w.form->details().findChild<QPushButton *>(QStringLiteral("prettyCopyCmd"))->click();
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("\n  33,\n  34,\n")));
    }

    // The response pane maps bytes to its characters from checkpoints at line
    // starts; a match far past the first must still select its own characters.
    void findInTheResponsePane_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::newRow("UTF-8") << "UTF-8";
        QTest::newRow("Shift_JIS") << "Shift_JIS";
        QTest::newRow("EUC-JP") << "EUC-JP";
    }
    void findInTheResponsePane()
    {
        QFETCH(QString, encoding);
        QString body;
        for (int i = 0; i < 8000; ++i)
            body += QStringLiteral("商品 %1 ～①\r\n").arg(i);
        body += QStringLiteral("<Fault>最後</Fault>\r\n");
        QStringEncoder e(encoding.toLatin1().constData());
        TestWindow w;
        w.form->show();
        exchange(w, "HTTP/1.1 200 OK\r\n\r\n" + QByteArray(e.encode(body)), encoding);
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.responseTxt->setFocus();
        QTest::keySequence(w.responseTxt, QKeySequence::Find);
        auto *text = w.form->findChild<QLineEdit *>(QStringLiteral("findTxt"));
        auto *count = w.form->findChild<QLabel *>(QStringLiteral("findCountLbl"));
        text->setText(QStringLiteral("最後"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(count->text(), QStringLiteral("1 件中 1 件目"));
        QCOMPARE(w.responseTxt->selectedText(), QStringLiteral("最後"));
        // 〜 as typed finds ～ where the JIS symbols go as JIS codes.
        const bool jis = encoding != QLatin1String("UTF-8");
        text->setText(QStringLiteral("7999 〜"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(count->text(), jis ? QStringLiteral("1 件中 1 件目") : QStringLiteral("見つかりません"));
        if (jis)
            QCOMPARE(w.responseTxt->selectedText(), QStringLiteral("7999 ～"));
        // Closed, the bar marks nothing in the next response either.
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(w.responseTxt->highlights().isEmpty());
        exchange(w, "HTTP/1.1 200 OK\r\n\r\n7999 " + QByteArray(e.encode(body)), encoding);
        QTest::qWait(200);
        QVERIFY(w.responseTxt->highlights().isEmpty());
    }

    void requestPageCountsTheJisSymbols()
    {
        TestWindow w;
        w.form->details().setEncoding(QStringLiteral("Shift_JIS"));
        w.detailsCmd->click();
        auto *label = w.form->details().findChild<QLabel *>(QStringLiteral("jisSymbolsLbl"));
        auto *option = w.form->details().findChild<QCheckBox *>(QStringLiteral("jisSymbolsChk"));
        w.requestTxt->setPlainText(QStringLiteral("<t>10時〜12時〜</t>"));
        QTRY_COMPARE(label->text(), QStringLiteral("JIS の符号で送る記号: 2 文字"));
        option->click();
        QTRY_COMPARE(label->text(), QStringLiteral("JIS の符号で送る記号: なし"));
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
        QTRY_VERIFY_WITH_TIMEOUT(!w.busy() && !w.form->engine().isRunning(), 10000);
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
        QCOMPARE(w.requestTxt->textCursor().selectedText(),
                 QStringLiteral("fa") + QChar(QChar::ParagraphSeparator) + "ult");
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
        QCOMPARE(w.responseTxt->selectedText(), QStringLiteral("Fault"));

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
