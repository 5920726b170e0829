// The history window through its controls: recording, open, re-send, compare,
// clear, as a user reaches them by name.
#include "TestFiles.h"
#include "TestSupport.h"

#include "core/ExchangeEngine.h"
#include "core/TextCodec.h"
#include "gui/CompareForm.h"
#include "gui/DetailsForm.h"
#include "gui/HistoryForm.h"
#include "gui/HistoryListModel.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct HistoryControls
{
    explicit HistoryControls(HistoryForm &f)
    {
        const auto find = [&f](auto *&to, const char *name) {
            to = f.findChild<std::remove_reference_t<decltype(*to)> *>(QString::fromLatin1(name));
            Q_ASSERT(to);
        };
        find(list, "historyList");
        find(search, "historySearchTxt");
        find(open, "historyOpenCmd");
        find(resend, "historyResendCmd");
        find(compare, "historyCompareCmd");
        find(exportCmd, "historyExportCmd");
        find(remove, "historyDeleteCmd");
        find(clear, "historyClearCmd");
        find(record, "historyRecordChk");
    }
    QTableView *list;
    QLineEdit *search;
    QPushButton *open, *resend, *compare, *exportCmd, *remove, *clear;
    QCheckBox *record;
    int rows() const { return list->model()->rowCount(); }
    void select(std::initializer_list<int> rows) const
    {
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(list->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

// An exchange through the main window, ended before it returns.
void exchange(TestWindow &w, const QByteArray &answer, const QString &request, LoopbackServer **keep = nullptr)
{
    auto *server = new LoopbackServer(Scripts::answerAndClose({answer}));
    w.sendTo(u"127.0.0.1"_s, QString::number(server->port()), request);
    QTRY_VERIFY_WITH_TIMEOUT(!w.busy(), 5000);
    if (keep)
        *keep = server;
    else
        server->deleteLater();
}

} // namespace

class HistoryWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void openGivesBackTheExchange_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("UTF-8, NUL and invalid bytes") << "UTF-8"
                                                      << "HTTP/1.0 200 OK\r\n\r\n\0\xff\xe6\x97\r\n"_qba;
        QTest::newRow("Shift_JIS, a lone lead byte") << "Shift_JIS"
                                                     << "HTTP/1.0 500 NG\r\n\r\n\x93\xfa\x96\x7b\x81"_qba;
        QTest::newRow("EUC-JP, lone CR and LF") << "EUC-JP"
                                                << "\xc6\xfc\r\xcb\xdc\n\x8e"_qba;
    }
    // Open puts back destination, encoding and both messages; 保存 then
    // writes the recorded bytes; 再送信 sends the recorded request again.
    void openGivesBackTheExchange()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, answer);
        TestWindow w;
        w.form->show();
        w.form->details().setEncoding(encoding);
        LoopbackServer *server = nullptr;
        const QString request = u"POST /日本 HTTP/1.0\r\nSOAPAction: \"urn:t#Go\"\r\n\r\n<a>語</a>\r\n"_s;
        exchange(w, answer, request, &server);
        std::unique_ptr<LoopbackServer> owner(server);
        const QByteArray wire = server->received;

        w.form->details().setEncoding(u"UTF-8"_s);
        w.addressCmb->setEditText(u"elsewhere"_s);
        w.portCmb->setEditText(u"1"_s);
        w.requestTxt->setRawText(u"other"_s);
        w.form->history().show();
        HistoryControls h(w.form->history());
        QTRY_COMPARE(h.rows(), 1);
        QVERIFY(h.list->model()->index(0, HistoryListModel::Label).data().toString() == u"urn:t#Go"_s);
        h.select({0});
        h.open->click();
        QTRY_COMPARE(w.addressCmb->currentText(), u"127.0.0.1"_s);
        QCOMPARE(w.portCmb->currentText(), QString::number(server->port()));
        QCOMPARE(w.form->details().encoding(), encoding);
        QCOMPARE(w.requestTxt->rawText(), request);
        QCOMPARE(w.form->engine().response(), answer);
        w.form->showWholeResponse();
        QCOMPARE(w.responseTxt->rawText(), TextCodec::decode(answer, encoding));
        const QString saved = w.configDir.filePath(u"saved.bin"_s);
        w.dialog->answers << saved;
        w.saveCmd->click();
        QCOMPARE(readFile(saved), answer);

        h.resend->click();
        QTRY_COMPARE_WITH_TIMEOUT(server->received, wire + wire, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.busy(), 5000);
        QTRY_COMPARE(h.rows(), 2);
    }

    // Two entries, or one and the response pane; the differences are counted.
    void compareCountsDifferences()
    {
        TestWindow w;
        w.form->show();
        exchange(w, "HTTP/1.0 200 OK\r\nDate: Mon\r\n\r\n<a>1</a>\r\n<b>same</b>\r\n<c>x</c>\r\n",
                 u"GET / HTTP/1.0\r\n\r\n"_s);
        exchange(w, "HTTP/1.0 200 OK\r\nDate: Tue\r\n\r\n<a>2</a>\r\n<b>same</b>\r\n<c>y</c>\r\n<d/>\r\n",
                 u"GET / HTTP/1.0\r\n\r\n"_s);
        w.form->history().show();
        HistoryControls h(w.form->history());
        QTRY_COMPARE(h.rows(), 2);
        h.select({0, 1});
        h.compare->click();
        CompareForm &c = w.form->comparison();
        QTRY_VERIFY(c.isVisible() && !c.isComparing());
        QVERIFY(QTest::qWaitForWindowActive(&c));
        // The Date lines are ignored; <a>, then <c> with <d/> added.
        QCOMPARE(c.differenceCount(), 2);
        c.findChild<QCheckBox *>(u"compareIgnoreChk"_s)->setChecked(false);
        QTRY_VERIFY(!c.isComparing());
        QCOMPARE(c.differenceCount(), 3);
        QLabel *count = c.findChild<QLabel *>(u"compareCountLbl"_s);
        QTest::keyClick(&c, Qt::Key_F7);
        QCOMPARE(count->text(), u"差分 2 / 3 か所"_s);
        QTest::keyClick(&c, Qt::Key_F7, Qt::ShiftModifier);
        QTest::keyClick(&c, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(count->text(), u"差分 3 / 3 か所"_s);

        // The newer entry against the pane, which holds that same response.
        h.select({0});
        h.compare->click();
        QTRY_VERIFY(!c.isComparing());
        QTRY_COMPARE(c.differenceCount(), 0);
    }

    void recordingAndClearing()
    {
        TestWindow w;
        w.form->show();
        HistoryControls h(w.form->history());
        h.record->setChecked(false);
        exchange(w, "unrecorded", u"GET / HTTP/1.0\r\n\r\n"_s);
        h.record->setChecked(true);
        exchange(w, "recorded", u"GET / HTTP/1.0\r\n\r\n"_s);
        QTRY_COMPARE(h.rows(), 1);
        h.search->setText(u"nothing like it"_s);
        QTRY_COMPARE(h.rows(), 0);
        h.search->setText(u"HTTP"_s);
        QTRY_COMPARE(h.rows(), 1);
        // Clearing asks first; no keeps everything.
        w.box.confirmAnswer = false;
        h.clear->click();
        QCOMPARE(w.box.questions.size(), 1);
        QTest::qWait(200);
        QCOMPARE(h.rows(), 1);
        w.box.confirmAnswer = true;
        h.clear->click();
        QTRY_COMPARE(h.rows(), 0);
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "tst_historywindow.moc"
