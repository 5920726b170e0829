#include "ReadingCases.h"

#include "BenchServer.h"
#include "BenchWindow.h"
#include "Report.h"
#include "StallWatch.h"

#include "core/ExchangeEngine.h"
#include "core/ReadableBody.h"
#include "gui/ByteFind.h"
#include "gui/DetailsForm.h"
#include "gui/FindBar.h"
#include "gui/HexView.h"
#include "gui/PrettyPage.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTest>

namespace {

double seconds(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

// A SOAP response of item elements, Shift_JIS text in them; one Fault element
// every 64 items, so a search has matches all the way to the end.
QByteArray soapLines(qint64 total)
{
    QStringEncoder sjis("Shift_JIS");
    const QByteArray name = sjis.encode(QStringLiteral("商品名～①"));
    QByteArray out;
    out.reserve(total + 256);
    out += "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=Shift_JIS\r\n\r\n"
           "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">"
           "<s:Body><r>\r\n";
    for (qint64 i = 0; out.size() < total - 64; ++i) {
        out += "<item id=\"" + QByteArray::number(i) + "\"><name>" + name + " &amp; " + QByteArray::number(i * 7)
               + "</name><price>12.50</price></item>\r\n";
        if (i % 64 == 63)
            out += "<Fault/>\r\n";
    }
    out += "</r></s:Body></s:Envelope>\r\n";
    return out;
}

} // namespace

void ReadingCases::search(Report &r)
{
    const QByteArray bytes = soapLines(qint64(256) << 20);
    HexView view;
    view.resize(900, 500);
    view.setBytes(bytes);
    ByteFind find(
        &view, [] { return QStringLiteral("Shift_JIS"); }, [] { return TextCodec::EncodeOptions{}; }, true);
    FindBar bar;
    bar.serve(&view, {&find});
    view.show();
    BenchWindow::waitFor([&view] { return view.isVisible(); }, 5000);
    auto *text = bar.findChild<QLineEdit *>(QStringLiteral("findTxt"));
    auto *count = bar.findChild<QLabel *>(QStringLiteral("findCountLbl"));
    auto *caseChk = bar.findChild<QCheckBox *>(QStringLiteral("findCaseChk"));
    const qint64 faults = bytes.count("<Fault/>");
    const qint64 names = bytes.count(QByteArray(QStringEncoder("Shift_JIS").encode(QStringLiteral("商品名～"))));
    struct Row
    {
        const char *label;
        QString text;
        bool caseSensitive;
        qint64 expected;
    };
    const Row rows[] = {
        {"12 find in 256 MiB, \"<Fault/>\" with case", QStringLiteral("<Fault/>"), true, faults},
        {"12 find in 256 MiB, \"<fault/>\" without case", QStringLiteral("<fault/>"), false, faults},
        {"12 find in 256 MiB, \"商品名〜\" in Shift_JIS", QStringLiteral("商品名〜"), true, names},
    };
    for (const Row &row : rows) {
        bar.open(&find);
        if (caseChk->isChecked() != row.caseSensitive)
            caseChk->click();
        text->setText(row.text);
        StallWatch stall;
        stall.start();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(text, Qt::Key_Return); // searches at once, then goes to the first match
        const QString done = QStringLiteral("%1 件中").arg(row.expected);
        BenchWindow::waitFor([&] { return count->text().startsWith(done) && !count->text().endsWith(u'…'); }, 60000);
        const double s = seconds(t);
        stall.stop();
        const bool exact = count->text().startsWith(done);
        r.atMost(QString::fromUtf8(row.label), s * 1000, 1000, "ms",
                 QStringLiteral("(longest stall %1 ms; %2)").arg(stall.longestMs(), 0, 'f', 1).arg(count->text()));
        r.atMost(QString::fromUtf8(row.label) + QStringLiteral(": longest stall"), stall.longestMs(),
                 StallWatch::OverMs, "ms");
        r.holds(QString::fromUtf8(row.label) + QStringLiteral(": count"), exact,
                QStringLiteral("%1 expected, label %2").arg(row.expected).arg(count->text()));
        bar.close();
    }
}

void ReadingCases::format(BenchWindow &w, BenchServer &server, Report &r)
{
    const QByteArray response = soapLines(qint64(16) << 20);
    QElapsedTimer tc;
    tc.start();
    const ReadableBody alone = readBody(response, {});
    const double core = seconds(tc);
    r.atMost(QStringLiteral("13 lay out a 16 MiB XML body (core, worker thread)"), core * 1000, 2000, "ms",
             QStringLiteral("(%1 M characters laid out)").arg(alone.formatted.text.size() / 1e6, 0, 'f', 1));

    server.setPlan(BenchServer::Plan::AnswerAndClose, response, 1 << 20);
    QElapsedTimer ts;
    ts.start();
    w.send(server.port());
    w.waitShown(ts, 600000);
    auto *page = w.form.details().findChild<PrettyPage *>(QStringLiteral("prettyPage"));
    auto *view = page->findChild<QPlainTextEdit *>(QStringLiteral("prettyView"));
    bool shown = false;
    QObject guard;
    QObject::connect(page, &PrettyPage::shown, &guard, [&shown] { shown = true; });
    StallWatch stall;
    stall.start();
    QElapsedTimer t;
    t.start();
    w.form.details().showPretty(&w.form);
    double readyAt = -1;
    BenchWindow::waitFor(
        [&] {
            if (readyAt < 0 && view->document()->characterCount() > 1)
                readyAt = seconds(t);
            return shown;
        },
        600000);
    const double all = seconds(t);
    stall.stop();
    r.info(QStringLiteral("13 整形 page, 16 MiB XML"),
           QStringLiteral("first lines shown after %1 s, all %2 lines after %3 s")
               .arg(readyAt, 0, 'f', 2)
               .arg(alone.formatted.text.count(QLatin1Char('\n')) + 1)
               .arg(all, 0, 'f', 2));
    r.atMost(QStringLiteral("13 整形 page: longest stall"), stall.longestMs(), StallWatch::OverMs, "ms");
    const bool exact = view->toPlainText() == alone.formatted.text && w.form.engine().response() == response;
    r.holds(QStringLiteral("13 整形 page shows the laid-out body, bytes unchanged"), exact,
            exact ? QStringLiteral("exact") : QStringLiteral("DIFFERS"));
    w.form.details().hide();

    // The find bar over the response pane of the same response: to the last match and back.
    w.form.showWholeResponse();
    w.form.activateWindow();
    BenchWindow::waitFor([&w] { return w.form.isActiveWindow(); }, 5000);
    w.responseTxt->setFocus();
    QTest::keySequence(w.responseTxt, QKeySequence::Find);
    auto *text = w.form.findChild<QLineEdit *>(QStringLiteral("findTxt"));
    auto *count = w.form.findChild<QLabel *>(QStringLiteral("findCountLbl"));
    const qint64 faults = response.count("<Fault/>");
    StallWatch findStall;
    findStall.start();
    QElapsedTimer tf;
    tf.start();
    text->setText(QStringLiteral("<Fault/>"));
    QTest::keyClick(text, Qt::Key_Return);
    const QString done = QStringLiteral("%1 件中").arg(faults);
    BenchWindow::waitFor([&] { return count->text().startsWith(done) && !count->text().endsWith(u'…'); }, 60000);
    const double found = seconds(tf);
    QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier); // from the first round to the last
    const double back = seconds(tf);
    findStall.stop();
    const bool last = count->text() == QStringLiteral("%1 件中 %1 件目").arg(faults)
                      && w.responseTxt->selectedText() == QStringLiteral("<Fault/>");
    r.info(QStringLiteral("13 find in the response pane, 16 MiB"),
           QStringLiteral("all %1 found after %2 s, the last selected after %3 s (%4)")
               .arg(faults)
               .arg(found, 0, 'f', 2)
               .arg(back, 0, 'f', 2)
               .arg(count->text()));
    r.atMost(QStringLiteral("13 find in the response pane: longest stall"), findStall.longestMs(), StallWatch::OverMs,
             "ms");
    r.holds(QStringLiteral("13 find in the response pane: round to the last match"), last,
            last ? QStringLiteral("selected") : QStringLiteral("NOT SELECTED"));
}
