// Notices with a fix: what they say, the one button that sets it right (one
// undoable step where it edits text), Esc, the newest in front, the tab order.
#include "TestFiles.h"
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

class NoticesTest : public QObject
{
    Q_OBJECT
private slots:
    void noticeOffersTheFix_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("says"); // a piece of the notice
        QTest::newRow("lone LF in a loaded request") << "load"
                                                     << "LF だけの改行が 2 個";
        QTest::newRow("lone LF in what went out") << "sent"
                                                  << "送信した要求には LF だけの改行が 2 個";
        QTest::newRow("Content-Length off in a pasted request") << "paste"
                                                                << "Content-Length (9)";
        QTest::newRow("complete response held open") << "held open"
                                                     << "開いたまま";
        QTest::newRow("charset the encoding cannot show") << "charset"
                                                          << "Shift_JIS";
    }
    void noticeOffersTheFix()
    {
        QFETCH(QString, situation);
        QFETCH(QString, says);
        const QByteArray kept = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
        LoopbackServer close(Scripts::answerAndClose(
            {situation == "charset" ? QByteArray(
                 "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=Shift_JIS\r\n\r\n<a>\x89\x9E\x93\x9A</a>")
                                    : kept}));
        LoopbackServer keep(Scripts::answerAndKeepOpen(kept));
        TestWindow w;
        auto *bar = w.form->findChild<QWidget *>(QStringLiteral("noticeBar"));
        QVERIFY(bar && bar->isHidden());
        const QString loneLf = QStringLiteral("GET / HTTP/1.0\nHost: a\n\r\n");
        QTemporaryDir dir;
        if (situation == "load") {
            w.dialog->answers << writeFile(dir.filePath("r.txt"), loneLf.toLatin1());
            w.openCmd->click();
        } else if (situation == "paste") {
            QGuiApplication::clipboard()->setText(QStringLiteral("POST / HTTP/1.0\nContent-Length: 9\n\nabc"));
            w.pasteCmd->click();
        } else {
            w.TimeOutSlider->setValue(1);
            w.addressCmb->setEditText(QStringLiteral("127.0.0.1"));
            w.portCmb->setEditText(QString::number((situation == "held open" ? keep : close).port()));
            w.requestTxt->setRawText(situation == "sent" ? loneLf : QStringLiteral("GET / HTTP/1.0\r\n\r\n"));
            w.sendCmd->click();
            QTRY_VERIFY_WITH_TIMEOUT(!w.form->engine().isRunning() && !w.busy(), 5000);
        }
        const QString before = w.requestTxt->rawText();
        const QString notice = w.form->findChild<QLabel *>(QStringLiteral("noticeLbl"))->text();
        QVERIFY2(!bar->isHidden() && notice.contains(says), qPrintable(notice));
        QTest::mouseClick(w.form->findChild<QPushButton *>(QStringLiteral("noticeCmd")), Qt::LeftButton);
        QVERIFY(bar->isHidden());

        if (situation == "held open") {
            QCOMPARE(w.box.texts.size(), 1); // the time-out's box, as before
            QVERIFY(w.form->details().httpEnd());
        } else if (situation == "charset") {
            QCOMPARE(w.form->details().encoding(), QStringLiteral("Shift_JIS"));
            w.form->showWholeResponse();
            QVERIFY(w.responseTxt->rawText().endsWith(QStringLiteral("<a>応答</a>")));
        } else {
            const QString fixed = w.requestTxt->rawText();
            QVERIFY2(situation == "paste" ? fixed.contains(QStringLiteral("Content-Length: 3\r\n"))
                                          : !fixed.contains(QRegularExpression(QStringLiteral("[^\\r]\\n"))),
                     qPrintable(fixed));
            w.requestTxt->undo(); // one step back is the request as it was
            QCOMPARE(w.requestTxt->rawText(), before);
        }
    }

    void escTabAndTheNewestInFront()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        auto *bar = w.form->findChild<QWidget *>(QStringLiteral("noticeBar"));
        auto *text = w.form->findChild<QLabel *>(QStringLiteral("noticeLbl"));
        auto *fix = w.form->findChild<QPushButton *>(QStringLiteral("noticeCmd"));
        // The length and the line ends are both off: the line ends are told
        // last, and once set right the length is told.
        QTemporaryDir dir;
        w.dialog->answers << writeFile(dir.filePath("r.txt"), "POST / HTTP/1.0\nContent-Length: 1\n\nabc\r\n");
        w.openCmd->click();
        QVERIFY2(text->text().contains(QStringLiteral("LF")), qPrintable(text->text()));
        w.openCmd->setFocus();
        QTest::keyClick(w.openCmd, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), fix);
        QTest::keyClick(fix, Qt::Key_Space);
        QVERIFY2(!bar->isHidden() && text->text().contains(QStringLiteral("Content-Length (1)")),
                 qPrintable(text->text()));
        QCOMPARE(QApplication::focusWidget(), w.openCmd);
        QTest::keyClick(w.openCmd, Qt::Key_Escape);
        QVERIFY(bar->isHidden());
        QTest::keyClick(w.openCmd, Qt::Key_Tab); // the order as it was
        QVERIFY(QApplication::focusWidget() == w.addressCmb
                || QApplication::focusWidget()->parentWidget() == w.addressCmb);
    }
};

QTEST_MAIN(NoticesTest)
#include "tst_notices.moc"
