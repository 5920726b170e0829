#include "HistoryBench.h"

#include "BenchServer.h"
#include "BenchTexts.h"
#include "BenchWindow.h"
#include "Report.h"
#include "StallWatch.h"

#include "core/ExchangeEngine.h"
#include "core/HistoryService.h"
#include "core/HistoryStore.h"
#include "gui/CompareForm.h"
#include "gui/HistoryForm.h"
#include "gui/HistoryListModel.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

constexpr int Long = 20 * 60 * 1000;
constexpr double StallTarget = 100; // ms, while recording

double seconds(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

// Limits wide enough that nothing the bench adds is pruned.
void roomyHistory(BenchWindow &w, qint64 capMiB)
{
    w.store.write(QStringLiteral("wireProbeDesk"), QStringLiteral("Settings"),
                  SettingsStore::Values{{QStringLiteral("HistoryMaxEntries"), QStringLiteral("1000000")},
                                        {QStringLiteral("HistoryMaxMiB"), QStringLiteral("65536")},
                                        {QStringLiteral("HistoryEntryCapMiB"), QString::number(capMiB)}});
    w.form.restoreSettings();
}

const char *const Names[] = {"山田太郎", "佐藤花子", "鈴木一郎", "高橋美咲",
                             "田中健太", "伊藤直子", "渡辺翔",   "中村優子"};

// count small SOAP exchanges, added from beside the window as a second writer would.
void fill(const QString &path, int from, int count)
{
    HistoryStore store(path);
    const HistoryStore::Limits roomy{qint64(64) << 20, 10000000, qint64(1) << 40};
    for (int done = 0; done < count;) {
        QList<HistoryEntry> batch;
        for (int i = 0; i < 5000 && done < count; ++i, ++done) {
            const int n = from + done;
            HistoryEntry e;
            e.startedMs = 1760000000000 + qint64(n) * 1000;
            e.host = QStringLiteral("127.0.0.1");
            e.port = QStringLiteral("8080");
            e.encoding = QStringLiteral("UTF-8");
            e.request = "POST /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml; charset=utf-8\r\n"
                        "SOAPAction: \"urn:svc#GetUser\"\r\n\r\n<soap:Envelope><soap:Body><GetUser><id>"
                        + QByteArray::number(n) + "</id></GetUser></soap:Body></soap:Envelope>\r\n";
            e.response = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\n\r\n<soap:Envelope><soap:Body>"
                         "<GetUserResponse><id>"
                         + QByteArray::number(n) + "</id><name>" + QByteArray(Names[n % 8]) + "</name><note>order "
                         + QByteArray::number(n * 7919 % 100000)
                         + "</note></GetUserResponse></soap:Body></soap:Envelope>\r\n";
            e.statusLine = QStringLiteral("HTTP/1.1 200 OK");
            e.requestBytes = e.request.size();
            e.responseBytes = e.response.size();
            batch << e;
        }
        if (!store.add(batch, roomy))
            qFatal("cannot fill the history: %s", qPrintable(store.fault().text));
    }
}

} // namespace

// Case 8: a 256 MiB response recorded whole (cap raised to 512 MiB), the
// window watched from the exchange's end until the pane shows it all and the
// entry is listed; the same exchange unrecorded first, watched as long, for
// what the pane's filling costs on this machine at this moment. Then the
// recording alone, from an idle window: the figure held to the target.
void HistoryBench::recording(BenchWindow &w, BenchServer &server, Report &r)
{
    roomyHistory(w, 512);
    HistoryListModel *model = w.form.history().model();
    auto *recordChk = w.form.history().findChild<QCheckBox *>(QStringLiteral("historyRecordChk"));
    for (bool record : {false, true}) {
        recordChk->setChecked(record);
        const int before = model->rowCount();
        server.setPlan(
            BenchServer::Plan::Stream, [] { return BenchTexts::numberedLines(256 << 20); }, 64 * 1024);
        StallWatch stall;
        stall.setProbe([&w] {
            return StallWatch::Counts{w.form.engine().response().size(), w.responseTxt->shownBytes()};
        });
        QElapsedTimer t;
        double endedAt = -1, listedAt = -1;
        QObject guard;
        QObject::connect(&w.form.engine(), &ExchangeEngine::completed, &guard, [&] {
            endedAt = seconds(t);
            stall.start();
        });
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &guard, [&] { listedAt = seconds(t); });
        t.start();
        w.send(server.port());
        const double shownAt = w.waitShown(t, Long);
        BenchWindow::waitFor([&] { return !record || listedAt >= 0; }, Long);
        stall.stop();
        const QString what =
            QStringLiteral("%1 ms at %2 s after the end, %3 MiB taken into the pane in it; all shown %4 s after the end")
                .arg(stall.longestMs(), 0, 'f', 1)
                .arg(stall.longestAtMs() / 1000, 0, 'f', 1)
                .arg(stall.longestGrowth()[1] >> 20)
                .arg(shownAt - endedAt, 0, 'f', 1);
        if (!record) {
            r.info(QStringLiteral("8 256 MiB unrecorded: longest stall, end to shown"), what);
            continue;
        }
        r.info(QStringLiteral("8 256 MiB recorded: longest stall, end to shown and listed"),
               what + QStringLiteral("; listed %1 s after the end").arg(listedAt - endedAt, 0, 'f', 1));
        r.holds(QStringLiteral("8 recording: listed"), model->rowCount() == before + 1 && listedAt > 0,
                listedAt > 0 ? QStringLiteral("one row more") : QStringLiteral("NOT LISTED"));
    }

    // The recording alone, from an idle window: the store's thread the only other one busy.
    HistoryService service(w.dir.filePath(QStringLiteral("alone.sqlite3")));
    service.setLimits({qint64(512) << 20, 1000, qint64(1) << 40});
    HistoryEntry entry;
    entry.host = QStringLiteral("127.0.0.1");
    entry.port = QStringLiteral("80");
    entry.encoding = QStringLiteral("UTF-8");
    entry.request = "GET / HTTP/1.0\r\n\r\n";
    entry.response = BenchTexts::all(*BenchTexts::numberedLines(256 << 20));
    bool recorded = false;
    QObject guard;
    QObject::connect(&service, &HistoryService::recorded, &guard, [&] { recorded = true; });
    StallWatch stall;
    stall.start();
    QElapsedTimer t;
    t.start();
    service.record(entry);
    entry = HistoryEntry(); // as the engine forgets it at the next Send
    BenchWindow::waitFor([&] { return recorded; }, Long);
    stall.stop();
    r.atMost(QStringLiteral("8 recording 256 MiB alone: longest stall"), stall.longestMs(), StallTarget, "ms",
             QStringLiteral("(recorded in %1 s)").arg(seconds(t), 0, 'f', 2));
}

// Case 9: 10,000 entries, searched by typing into the search field: time from
// the text to the first rows (or the end of the list when nothing matches).
// Case 10: 100,000 entries, from 履歴 to the first page listed.
void HistoryBench::searchAndOpen(BenchWindow &w, Report &r, bool search, bool open)
{
    roomyHistory(w, 64);
    HistoryForm &form = w.form.history();
    const QString path = w.dir.filePath(QStringLiteral("history.sqlite3"));
    QElapsedTimer filling;
    filling.start();
    fill(path, 0, 10000);
    r.info(QStringLiteral("9 history filled"), QStringLiteral("10,000 entries in %1 s").arg(seconds(filling), 0, 'f', 1));
    auto *field = form.findChild<QLineEdit *>(QStringLiteral("historySearchTxt"));
    HistoryListModel *model = form.model();
    if (search) {
        form.show();
        const struct
        {
            const char *label, *query;
        } queries[] = {{"two Japanese characters, many match", "田太"},
                       {"two Japanese characters, none match (a full scan)", "該当"},
                       {"a word, trigram index", "order 4242"},
                       {"a word, none match", "nowhere"}};
        for (const auto &q : queries) {
            field->setText(QString());
            BenchWindow::waitFor([&] { return !model->isFetching() && model->query().isEmpty(); }, Long);
            StallWatch stall;
            stall.start();
            QElapsedTimer t;
            t.start();
            field->setText(QString::fromUtf8(q.query));
            BenchWindow::waitFor([&] { return model->query() == field->text() && !model->isFetching(); }, Long);
            const double ms = t.nsecsElapsed() / 1e6;
            stall.stop();
            r.atMost(QStringLiteral("9 search over 10,000: %1").arg(QString::fromUtf8(q.label)), ms, 200, "ms",
                     QStringLiteral("(%1 rows listed; longest stall %2 ms)")
                         .arg(model->rowCount())
                         .arg(stall.longestMs(), 0, 'f', 0));
        }
        field->setText(QString());
        form.close();
    }
    if (open) {
        filling.restart();
        fill(path, 10000, 90000);
        r.info(QStringLiteral("10 history filled"),
               QStringLiteral("90,000 more entries in %1 s").arg(seconds(filling), 0, 'f', 1));
        auto *historyCmd = w.form.findChild<QPushButton *>(QStringLiteral("historyCmd"));
        StallWatch stall;
        stall.start();
        QElapsedTimer t;
        t.start();
        historyCmd->click();
        // The list asked anew, as at the program's start, not the page already held.
        model->setQuery(QString());
        BenchWindow::waitFor([&] { return form.isVisible() && model->rowCount() > 0; }, Long);
        QApplication::processEvents();
        const double shownMs = t.nsecsElapsed() / 1e6;
        // Then 100 pages down, as scrolling to the bottom again and again fetches them.
        auto *list = form.findChild<QTableView *>(QStringLiteral("historyList"));
        QElapsedTimer scroll;
        scroll.start();
        while (model->rowCount() < 101 * HistoryListModel::PageSize) {
            list->scrollToBottom();
            model->fetchMore(QModelIndex());
            BenchWindow::waitFor([&] { return !model->isFetching(); }, Long);
        }
        stall.stop();
        r.atMost(QStringLiteral("10 open the history window over 100,000 entries"), shownMs, 200, "ms",
                 QStringLiteral("(%1 rows listed)").arg(HistoryListModel::PageSize));
        r.atMost(
            QStringLiteral("10 … then 100 pages scrolled"), scroll.nsecsElapsed() / 1e6, 5000, "ms",
            QStringLiteral("(%1 rows; longest stall %2 ms)").arg(model->rowCount()).arg(stall.longestMs(), 0, 'f', 0));
        form.close();
    }
}

// Case 11: two 16 MiB responses of lines, one line in a hundred changed.
void HistoryBench::comparing(BenchWindow &w, Report &r)
{
    const QByteArray left = BenchTexts::all(*BenchTexts::numberedLines(16 << 20));
    QByteArray right = left;
    qsizetype lines = 0;
    for (qsizetype at = 0; (at = right.indexOf('\n', at)) >= 0; ++at)
        if (++lines % 100 == 0 && at > 4)
            right[at - 3] = '#';
    CompareForm &form = w.form.comparison();
    StallWatch stall;
    stall.start();
    QElapsedTimer t;
    t.start();
    form.compare({QStringLiteral("left"), left, QStringLiteral("UTF-8")},
                 {QStringLiteral("right"), right, QStringLiteral("UTF-8")});
    BenchWindow::waitFor([&] { return !form.isComparing(); }, Long);
    QApplication::processEvents();
    const double s = seconds(t);
    stall.stop();
    r.atMost(QStringLiteral("11 compare two 16 MiB responses"), s * 1000, 2000, "ms",
             QStringLiteral("(%1 differences; longest stall %2 ms)")
                 .arg(form.differenceCount())
                 .arg(stall.longestMs(), 0, 'f', 0));
    r.holds(QStringLiteral("11 compare: every changed line found"), form.differenceCount() == lines / 100,
            QStringLiteral("%1 of %2").arg(form.differenceCount()).arg(lines / 100));
    form.close();
}
