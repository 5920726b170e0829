// Notices with a fix: what they say, the one button that sets it right (one
// undoable step where it edits text), Esc, the newest wins, the tab order.
#include "TestFiles.h"
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

namespace {
const QByteArray Kept = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
const QByteArray ShiftJis = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=Shift_JIS\r\n\r\n<a>\x89\x9E\x93\x9A</a>";

struct Notice
{
    QWidget *bar;
    QLabel *text;
    QPushButton *fix;
    explicit Notice(const TestWindow &w)
        : bar(w.form->findChild<QWidget *>(QStringLiteral("noticeBar"))),
          text(w.form->findChild<QLabel *>(QStringLiteral("noticeLbl"))),
          fix(w.form->findChild<QPushButton *>(QStringLiteral("noticeCmd")))
    {
    }
};
} // namespace

class NoticesTest : public QObject
{
    Q_OBJECT
private slots:
    void noticeOffersTheFix_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("says"); // a piece of the notice
        QTest::newRow("lone LF in a loaded request") << "load" << "LF だけの改行が 2 個";
        QTest::newRow("lone LF in what went out") << "sent" << "送信した要求には LF だけの改行が 2 個";
        QTest::newRow("Content-Length off in a pasted request") << "paste" << "Content-Length (9)";
        QTest::newRow("complete response held open") << "held open" << "開いたまま";
        QTest::newRow("charset the encoding cannot show") << "charset" << "Shift_JIS";
    }
    void noticeOffersTheFix()
    {
        QFETCH(QString, situation);
        QFETCH(QString, says);
        LoopbackServer close(Scripts::answerAndClose({situation == "charset" ? ShiftJis : Kept}));
        LoopbackServer keep(Scripts::answerAndKeepOpen(Kept));
        TestWindow w;
        const Notice n(w);
        QVERIFY(n.bar && n.text && n.fix && n.bar->isHidden());
        QTemporaryDir dir;
        QString before;
        if (situation == "load") {
            w.dialog->answers << writeFile(dir.filePath("r.txt"), "GET / HTTP/1.0\nHost: a\n\r\n");
            w.openCmd->click();
            before = w.requestTxt->rawText();
        } else if (situation == "paste") {
            QGuiApplication::clipboard()->setText(QStringLiteral("POST / HTTP/1.0\nContent-Length: 9\n\nabc"));
            w.pasteCmd->click();
            before = w.requestTxt->rawText();
        } else {
            w.TimeOutSlider->setValue(1);
            w.addressCmb->setEditText(QStringLiteral("127.0.0.1"));
            w.portCmb->setEditText(QString::number((situation == "held open" ? keep : close).port()));
            w.requestTxt->setRawText(situation == "sent" ? QStringLiteral("GET / HTTP/1.0\nHost: a\n\r\n")
                                                         : QStringLiteral("GET / HTTP/1.0\r\n\r\n"));
            before = w.requestTxt->rawText();
            w.sendCmd->click();
            QTRY_VERIFY_WITH_TIMEOUT(!w.form->engine().isRunning() && !w.busy(), 5000);
        }
        QVERIFY(!n.bar->isHidden());
        QVERIFY2(n.text->text().contains(says), qPrintable(n.text->text()));
        QVERIFY(n.fix->isEnabled());
        QTest::mouseClick(n.fix, Qt::LeftButton);
        QVERIFY(n.bar->isHidden());

        if (situation == "held open") {
            QCOMPARE(w.box.texts.size(), 1); // the box of the time-out stays as it was
            QVERIFY(w.form->details().httpEnd());
        } else if (situation == "charset") {
            QCOMPARE(w.form->details().encoding(), QStringLiteral("Shift_JIS"));
            w.form->showWholeResponse();
            QVERIFY(w.responseTxt->rawText().endsWith(QStringLiteral("<a>応答</a>")));
        } else {
            const QString fixed = w.requestTxt->rawText();
            if (situation == "paste")
                QVERIFY2(fixed.contains(QStringLiteral("Content-Length: 3\r\n")), qPrintable(fixed));
            else
                QVERIFY2(!fixed.contains(QRegularExpression(QStringLiteral("[^\\r]\\n"))), qPrintable(fixed));
            // One step back is the request as it was.
            w.requestTxt->undo();
            QCOMPARE(w.requestTxt->rawText(), before);
        }
    }

    void escCloseTabReachAndNewestWins()
    {
        TestWindow w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const Notice n(w);
        // Both the length and the line ends are off: the line ends are told
        // last, and once set right the length is told.
        w.dialog->answers << writeFile(QDir::temp().filePath("wpd-notice.txt"), "POST / HTTP/1.0\nContent-Length: 1\n\nabc\r\n");
        w.openCmd->click();
        QVERIFY2(n.text->text().contains(QStringLiteral("LF")), qPrintable(n.text->text()));
        w.openCmd->setFocus();
        QTest::keyClick(w.openCmd, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), n.fix);
        QTest::keyClick(n.fix, Qt::Key_Space);
        QVERIFY(!n.bar->isHidden());
        QVERIFY2(n.text->text().contains(QStringLiteral("Content-Length (1)")), qPrintable(n.text->text()));
        QCOMPARE(QApplication::focusWidget(), w.openCmd);
        QTest::keyClick(w.openCmd, Qt::Key_Escape);
        QVERIFY(n.bar->isHidden());
        QTest::keyClick(w.openCmd, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName().isEmpty() ? QApplication::focusWidget()->parentWidget()
                                                                     : QApplication::focusWidget(),
                 w.addressCmb); // the order as it was
        QFile::remove(QDir::temp().filePath("wpd-notice.txt"));
    }
};

QTEST_MAIN(NoticesTest)
#include "tst_notices.moc"
