// Status-line hints, the selection length, Clear and Exit.
#include "TestSupport.h"

#include "gui/DetailsForm.h"
#include "gui/HistoryForm.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {
const QString RequestHint = QStringLiteral("要求メッセージを入力して下さい。  選択した文字列の長さ：");
}

class HintsTest : public QObject
{
    Q_OBJECT
private slots:
    void focusHints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("address") << "addressCmb"
                                 << "接続先サーバのIPアドレスを指定して下さい。";
        QTest::newRow("port") << "portCmb"
                              << "接続先サーバのポート番号を指定して下さい。";
        QTest::newRow("response") << "responseTxt"
                                  << "応答メッセージを表示します。";
        QTest::newRow("time-out") << "TimeOutSlider"
                                  << "応答時間のタイムアウト(秒)を指定して下さい。";
        QTest::newRow("a button leaves the line as it was") << "saveCmd"
                                                            << "unchanged";
    }
    void focusHints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.sendCmd->setFocus();
        w.statusBar->setText(QStringLiteral("unchanged"));
        w.form->findChild<QWidget *>(control)->setFocus();
        QCOMPARE(w.statusBar->text(), hint);
    }

    void tabOrderWrapsRound()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const QStringList order{"addressCmb", "portCmb",  "TimeOutSlider", "requestTxt", "responseTxt",
                                "sendCmd",    "exitCmd",  "saveCmd",       "detailsCmd", "historyCmd",
                                "pasteCmd",   "clearCmd", "openCmd",       "addressCmb"};
        w.addressCmb->setFocus();
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QWidget *f = QApplication::focusWidget();
            visited << (f->objectName().isEmpty() ? f->parentWidget()->objectName() : f->objectName());
            QTest::keyClick(f, Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
    }

    void selectionLengthAndClear()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.requestTxt->setPlainText(QString(2000, QLatin1Char('x')));
        w.responseTxt->setRawText(QStringLiteral("resp"));
        w.addressCmb->setEditText(QStringLiteral("host"));
        w.requestTxt->setFocus();
        QTextCursor c = w.requestTxt->textCursor();
        c.setPosition(10);
        c.setPosition(1244, QTextCursor::KeepAnchor);
        w.requestTxt->setTextCursor(c);
        QTRY_COMPARE(w.statusBar->text(), RequestHint + "1234");
        // Clear empties only the request and leaves the focus there.
        w.sendCmd->setFocus();
        QTest::mouseClick(w.clearCmd, Qt::LeftButton);
        QCOMPARE(w.requestTxt->rawText(), QString());
        QCOMPARE(w.responseTxt->rawText(), QStringLiteral("resp"));
        QCOMPARE(w.addressCmb->currentText(), QStringLiteral("host"));
        QCOMPARE(QApplication::focusWidget(), w.requestTxt);
        QTRY_COMPARE(w.statusBar->text(), RequestHint + "0");
    }

    void keys_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("ran"); // what shows that the command ran
        QTest::newRow("Ctrl+Enter sends") << QKeySequence(Qt::CTRL | Qt::Key_Return) << "box";
        QTest::newRow("Ctrl+O opens") << QKeySequence(Qt::CTRL | Qt::Key_O) << "open dialog";
        QTest::newRow("Ctrl+S saves") << QKeySequence(Qt::CTRL | Qt::Key_S) << "box";
        QTest::newRow("Ctrl+D shows the details") << QKeySequence(Qt::CTRL | Qt::Key_D) << "details";
        QTest::newRow("Ctrl+H shows the history") << QKeySequence(Qt::CTRL | Qt::Key_H) << "history";
        QTest::newRow("Enter on a focused button presses it") << QKeySequence(Qt::Key_Return) << "box";
        QTest::newRow("Esc does nothing") << QKeySequence(Qt::Key_Escape) << "";
    }
    void keys()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, ran);
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.requestTxt->setPlainText(QStringLiteral("kept"));
        (key == QKeySequence(Qt::Key_Return) ? w.sendCmd : static_cast<QWidget *>(w.requestTxt))->setFocus();
        QTest::keySequence(QApplication::focusWidget(), key);
        // Send and Save both stop at their first check here, with a box.
        const char *seen = !w.box.texts.isEmpty()          ? "box"
                           : !w.dialog->shown.isEmpty()    ? "open dialog"
                           : w.form->details().isVisible() ? "details"
                           : w.form->history().isVisible() ? "history"
                                                           : "";
        QCOMPARE(QString::fromLatin1(seen), ran);
        QCOMPARE(w.requestTxt->rawText(), QStringLiteral("kept"));
    }

    void detailsWindowClosesWithItsKeys()
    {
        TestWindow w;
        w.form->show();
        DetailsForm &d = w.form->details();
        for (const QKeySequence &key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_D)}) {
            w.detailsCmd->click();
            QVERIFY(QTest::qWaitForWindowActive(&d));
            QTest::keySequence(QApplication::focusWidget(), key);
            QVERIFY2(!d.isVisible(), qPrintable(key.toString()));
        }
    }

    void exitAndTitleBarStoreTheSame()
    {
        QMap<QString, QString> stored[2];
        for (int way = 0; way < 2; ++way) {
            TestWindow w;
            w.form->show();
            w.TimeOutSlider->setValue(42);
            w.addressCmb->setItemText(0, QStringLiteral("h"));
            if (way == 0)
                QTest::mouseClick(w.exitCmd, Qt::LeftButton);
            else
                w.form->windowHandle()->close();
            QVERIFY(!w.form->isVisible());
            for (const char *key : {"TimeOut", "Address1", "MainWidth", "MainX", "MainStat"})
                stored[way][key] = w.setting(key);
        }
        QCOMPARE(stored[0]["TimeOut"], QStringLiteral("42"));
        QCOMPARE(stored[0], stored[1]);
    }
};

QTEST_MAIN(HintsTest)
#include "tst_hints.moc"
