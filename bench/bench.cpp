// Display speed against the pane floor, event-loop stalls and memory while
// large responses stream in, the ends of an endless response, completion
// latency, the history (recording, search, listing, compare), and a soak of
// many exchanges in a row. Run by hand:
//   ./build/bench/wpdbench [--floor FILE] [--repeat N] [--only 1,4,...] [--soak [N]]
// Cases: 1 16 MiB lines, 2 Open 10 MiB, 3 4 MiB line, 4 256 MiB lines and Save,
// 5 64 MiB line, 6 endless responses, 7 completion latency, 8-11 the history,
// 12-13 reading (search, 整形), 14 512 MiB against a bare receive, 15 floods of
// line ends, 16 1 GiB, 17 64 MiB of lines.
#include "BenchServer.h"
#include "BenchTexts.h"
#include "BenchWindow.h"
#include "Floor.h"
#include "HistoryBench.h"
#include "Memory.h"
#include "ReadingCases.h"
#include "Report.h"
#include "StallWatch.h"

#include "core/ExchangeEngine.h"
#include "core/RequestFile.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString Done = QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。");
constexpr qsizetype Piece = 64 * 1024;
constexpr int Long = 20 * 60 * 1000; // no case may take longer than this
constexpr double StallTarget = StallWatch::OverMs;
constexpr double PeakTarget = 1.5;

double seconds(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

QString mib(qint64 bytes)
{
    return QString::number(static_cast<double>(bytes) / (1 << 20), 'f', 1) + QStringLiteral(" MiB");
}

// A tiny exchange: the last response, its pane and its memory give way, so the
// next case starts from an idle window.
void settle(BenchWindow &w, BenchServer &server)
{
    server.setPlan(BenchServer::Plan::AnswerAndClose, QByteArray("HTTP/1.0 204 No Content\r\n\r\n"), Piece);
    QElapsedTimer t;
    t.start();
    w.send(server.port());
    w.waitShown(t, Long);
    Memory::trim();
}

// Cases 1 and 3: a response streamed in 64 KiB pieces, timed from Send to the
// pane showing all of it; best of repeat.
void streamed(BenchWindow &w, BenchServer &server, Report &r, const QString &label,
              const BenchServer::SourceFactory &source, const char *floorName, double floor, double target, int repeat)
{
    const QByteArray expected = BenchTexts::all(*source());
    double best = -1;
    bool exact = true;
    for (int i = 0; i < repeat; ++i) {
        settle(w, server);
        server.setPlan(BenchServer::Plan::Stream, source, Piece);
        QElapsedTimer t;
        t.start();
        w.send(server.port());
        const double s = w.waitShown(t, Long);
        exact = exact && s > 0 && w.statusBar->text() == Done && w.form.engine().response() == expected
                && w.responseShows(expected);
        if (s > 0 && (best < 0 || s < best))
            best = s;
    }
    r.ratio(label, best, floorName, floor, target);
    r.holds(label + QStringLiteral(": pane shows the bytes"), exact,
            exact ? QStringLiteral("exact") : QStringLiteral("DIFFERS"));
}

// Case 2: Open of the floor's request text, timed from the press to the pane
// shown; best of repeat.
void opening(BenchWindow &w, Report &r, const FloorFigures &floor, int repeat)
{
    const QString path = w.dir.filePath(QStringLiteral("req10m.txt"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(BenchTexts::request10m());
    }
    const QString expected = QString::fromUtf8(RequestFile::load(path, w.form.details().crlfOnLoad()));
    double best = -1;
    for (int i = 0; i < repeat; ++i) {
        w.requestTxt->setRawText(QString());
        BenchWindow::waitFor([] { return false; }, 400); // let the emptied pane's own timers pass
        w.dialog->answer = path;
        QElapsedTimer t;
        t.start();
        w.openCmd->click();
        QApplication::processEvents();
        const double s = seconds(t);
        if (best < 0 || s < best)
            best = s;
    }
    w.dialog->answer.clear();
    const bool exact = w.requestTxt->rawText() == expected && w.box.count == 0;
    r.ratio(QStringLiteral("2 Open 10 MiB request, 100,000 lines"), best, "req10m", floor.req10m, 1.5);
    r.holds(QStringLiteral("2 Open: pane shows the file"), exact,
            exact ? QStringLiteral("exact") : QStringLiteral("DIFFERS"));
    w.requestTxt->setRawText(QStringLiteral("GET / HTTP/1.0\r\n\r\n"));
    QFile::remove(path);
}

// Whether a file holds exactly these bytes, read a piece at a time.
bool fileHolds(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() != bytes.size())
        return false;
    qsizetype at = 0;
    while (!f.atEnd()) {
        const QByteArray piece = f.read(16 << 20);
        if (QByteArrayView(bytes).sliced(at, piece.size()) != piece)
            return false;
        at += piece.size();
    }
    return at == bytes.size();
}

// Cases 4, 5 and 14-17: a large response streamed while a 10 ms timer
// watches the event loop; the peak of resident memory above the idle window
// (against peakTarget when there is one); and for the lines, a Save of that
// response watched the same way. Returns the seconds from Send to shown.
double large(BenchWindow &w, BenchServer &server, Report &r, const QString &label,
             const BenchServer::SourceFactory &source, bool save, double peakTarget = PeakTarget)
{
    settle(w, server);
    const qint64 idle = Memory::resident();
    const bool peakReset = Memory::resetPeak();
    StallWatch stall;
    // What the longest stall was spent on: bytes taken in, characters laid out.
    stall.setProbe([&w] { return StallWatch::Counts{w.form.engine().response().size(), w.responseTxt->shownBytes()}; });
    server.setPlan(BenchServer::Plan::Stream, source, Piece);
    QElapsedTimer t;
    t.start();
    double endedAt = -1;
    QObject guard;
    QObject::connect(&w.form.engine(), &ExchangeEngine::completed, &guard, [&] { endedAt = seconds(t); });
    stall.start();
    w.send(server.port());
    const double s = w.waitShown(t, Long);
    stall.stop();
    stall.setProbe({});
    const qint64 peak = Memory::peak();
    // What the program keeps once the response is shown, as the system
    // counts it: the bench gives nothing back on its behalf.
    const qint64 held = Memory::resident() - idle;
    const QByteArray &response = w.form.engine().response();
    const qint64 size = response.size();
    r.info(label, QStringLiteral("%1 shown in %2 s (%3 MiB/s; all received at %4 s), resident idle %5")
                      .arg(mib(size))
                      .arg(s, 0, 'f', 2)
                      .arg(static_cast<double>(size) / (1 << 20) / s, 0, 'f', 0)
                      .arg(endedAt, 0, 'f', 2)
                      .arg(mib(idle)));
    r.atMost(label + QStringLiteral(": longest stall, Send to shown"), stall.longestMs(), StallTarget, "ms",
             QStringLiteral("(at %1 s; %2 over %3 ms)")
                 .arg(stall.longestAtMs() / 1000, 0, 'f', 2)
                 .arg(stall.gapsOver())
                 .arg(StallWatch::OverMs));
    r.info(label + QStringLiteral(": in the longest stall"), QStringLiteral("%1 received, %2 taken into the pane")
                                                                 .arg(mib(stall.longestGrowth()[0]))
                                                                 .arg(mib(stall.longestGrowth()[1])));
    r.info(label + QStringLiteral(": kept"), QStringLiteral("byte array capacity %1 (resident as used), %2 lines")
                                                 .arg(mib(response.capacity()))
                                                 .arg(w.responseTxt->text().lines().lineCount()));
    if (peakTarget > 0)
        r.memory(label + QStringLiteral(": held above idle once shown"), held, size, peakTarget);
    else
        r.info(label + QStringLiteral(": held above idle once shown"),
               QStringLiteral("%1× the response").arg(double(held) / double(qMax<qint64>(1, size)), 0, 'f', 2));
    // The transient peak: growing the array copies it when the heap has room
    // for the copy (after other large texts were freed), remaps it otherwise.
    r.info(label + QStringLiteral(": peak above idle"),
           peakReset
               ? QStringLiteral("%1× the response").arg(double(peak - idle) / double(qMax<qint64>(1, size)), 0, 'f', 2)
               : QStringLiteral("not measured: /proc/self/clear_refs refused"));

    if (save) {
        w.dialog->answer = w.dir.filePath(QStringLiteral("Response.txt"));
        QElapsedTimer ts;
        ts.start();
        stall.start();
        w.saveCmd->click();
        stall.stop();
        const double saved = seconds(ts);
        const qint64 peakWithSave = Memory::peak();
        const qint64 heldAfterSave = Memory::resident() - idle;
        r.info(label + QStringLiteral(": Save"), QStringLiteral("%1 s (%2 MiB/s)")
                                                     .arg(saved, 0, 'f', 2)
                                                     .arg(static_cast<double>(size) / (1 << 20) / saved, 0, 'f', 0));
        r.atMost(label + QStringLiteral(": longest stall during Save"), stall.longestMs(), StallTarget, "ms");
        r.memory(label + QStringLiteral(": held above idle after the Save"), heldAfterSave, size, peakTarget);
        if (peakReset)
            r.info(label + QStringLiteral(": peak above idle with the Save"),
                   QStringLiteral("%1× the response")
                       .arg(double(peakWithSave - idle) / double(qMax<qint64>(1, size)), 0, 'f', 2));
        const bool written = fileHolds(w.dialog->answer, response) && w.box.count == 0;
        r.holds(label + QStringLiteral(": saved file holds the bytes"), written,
                written ? QStringLiteral("exact") : QStringLiteral("DIFFERS"));
        QFile::remove(w.dialog->answer);
        w.dialog->answer.clear();
    }
    const QByteArray expected = BenchTexts::all(*source());
    const bool exact = s > 0 && w.statusBar->text() == Done && response == expected && w.responseShows(expected);
    r.holds(label + QStringLiteral(": pane shows the bytes"), exact,
            exact ? QStringLiteral("exact") : QStringLiteral("DIFFERS"));
    return s;
}

// What a user does with a large response once it is shown: the scroll bar
// dragged to the end, Ctrl+End, Ctrl+A and Ctrl+C. Each until painted.
void interactions(BenchWindow &w, Report &r, const QString &label)
{
    ResponseView *v = w.responseTxt;
    const qint64 size = v->text().size();
    const auto timed = [](const std::function<void()> &act) {
        QElapsedTimer t;
        t.start();
        act();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        return t.nsecsElapsed() / 1e6;
    };
    const auto key = [v](int k, Qt::KeyboardModifiers mods) {
        QKeyEvent press(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(v, &press);
    };
    key(Qt::Key_Home, Qt::ControlModifier);
    QApplication::processEvents();
    const double bar = timed([v] { v->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum); });
    r.atMost(label + QStringLiteral(": scroll bar to the end"), bar, 500, "ms");
    key(Qt::Key_Home, Qt::ControlModifier);
    QApplication::processEvents();
    const double end = timed([&key] { key(Qt::Key_End, Qt::ControlModifier); });
    r.atMost(label + QStringLiteral(": Ctrl+End"), end, 500, "ms",
             v->cursorByte() == size ? QString() : QStringLiteral("(CARET NOT AT THE END)"));
    const double all = timed([&key] { key(Qt::Key_A, Qt::ControlModifier); });
    const double copied = timed([&key] { key(Qt::Key_C, Qt::ControlModifier); });
    r.atMost(label + QStringLiteral(": Ctrl+A"), all, 500, "ms");
    r.atMost(label + QStringLiteral(": Ctrl+C"), copied, 500, "ms");
    const bool whole = QApplication::clipboard()->text().size() == size;
    r.holds(label + QStringLiteral(": the clipboard holds the whole text"), whole,
            whole ? QStringLiteral("exact size") : QStringLiteral("DIFFERS"));
    QApplication::clipboard()->clear();
}

// A plain socket reading the same stream from the same server to nowhere:
// what this machine receives at best, measured in the same run.
double bareReceive(BenchServer &server, const BenchServer::SourceFactory &source, qint64 *got)
{
    server.setPlan(BenchServer::Plan::Stream, source, Piece);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(server.port());
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QElapsedTimer t;
    t.start();
    if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    const char request[] = "GET / HTTP/1.0\r\n\r\n";
    (void)::send(fd, request, sizeof request - 1, MSG_NOSIGNAL);
    static char buffer[1 << 20];
    qint64 total = 0;
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        total += n;
    ::close(fd);
    *got = total;
    return seconds(t);
}

// Case 14: 512 MiB of lines from Send to shown, against the bare receive.
void againstTheWire(BenchWindow &w, BenchServer &server, Report &r, int repeat)
{
    // Just under the default limit, so that the exchange completes.
    const BenchServer::SourceFactory source = [] { return BenchTexts::numberedLines((qint64(512) << 20) - 100); };
    const QString label = QStringLiteral("14 512 MiB lines");
    double bare = -1;
    qint64 got = 0;
    for (int i = 0; i < repeat; ++i) {
        const double b = bareReceive(server, source, &got);
        if (b > 0 && (bare < 0 || b < bare))
            bare = b;
    }
    r.info(label + QStringLiteral(": bare receive"),
           QStringLiteral("%1 s for %2 (best of %3)").arg(bare, 0, 'f', 3).arg(mib(got)).arg(repeat));
    const double shown = large(w, server, r, label, source, false, 0);
    r.atMost(label + QStringLiteral(": Send to shown / bare receive"), bare > 0 ? shown / bare : -1, 3, "×",
             QStringLiteral("(%1 s / %2 s)").arg(shown, 0, 'f', 3).arg(bare, 0, 'f', 3));
}

// Case 6: a server that never stops. With a 64 MiB limit the exchange ends at
// the limit with a box and the window usable again; with 4 GiB, closing the
// window mid-flood must answer at once.
void flood(BenchWindow &w, BenchServer &server, Report &r)
{
    const auto lines = [] { return BenchTexts::numberedLines(qint64(1) << 40); };
    settle(w, server);
    w.setLimit(QStringLiteral("64 MiB"));
    server.setPlan(BenchServer::Plan::Flood, lines, Piece);
    const int boxes = w.box.count;
    QElapsedTimer t;
    t.start();
    w.send(server.port());
    const bool ended = w.waitEnabled(Long);
    const double s = seconds(t);
    const qint64 got = w.form.engine().response().size();
    const bool ok = ended && w.box.count == boxes + 1 && got == (qint64(64) << 20)
                    && w.form.engine().outcome() == ExchangeEngine::Outcome::Failed && !w.form.isBusy();
    r.holds(QStringLiteral("6 flood, 64 MiB limit: ends at the limit"), ok,
            QStringLiteral("%1 s, %2 kept, %3 box, window %4")
                .arg(s, 0, 'f', 2)
                .arg(mib(got))
                .arg(w.box.count - boxes)
                .arg(!w.form.isBusy() ? QStringLiteral("enabled") : QStringLiteral("DISABLED")));
    w.waitShown(t, Long);

    settle(w, server);
    w.setLimit(QStringLiteral("4 GiB"));
    server.setPlan(BenchServer::Plan::Flood, lines, Piece);
    w.send(server.port());
    BenchWindow::waitFor([] { return false; }, 1500);
    const bool running = w.form.engine().isRunning();
    const qint64 before = w.form.engine().response().size();
    StallWatch stall;
    stall.start();
    QElapsedTimer tc;
    tc.start();
    w.form.close();
    const double closeMs = tc.nsecsElapsed() / 1e6;
    BenchWindow::waitFor([] { return false; }, 300);
    stall.stop();
    r.atMost(QStringLiteral("6 flood, 4 GiB limit: close() mid-flood"), closeMs, 1000, "ms",
             QStringLiteral("(%1 in, running %2; stall after %3 ms)")
                 .arg(mib(before))
                 .arg(running ? QStringLiteral("yes") : QStringLiteral("NO"))
                 .arg(stall.longestMs(), 0, 'f', 0));
    r.holds(QStringLiteral("6 flood: exchange ended by the close"), !w.form.engine().isRunning(),
            w.form.engine().isRunning() ? QStringLiteral("STILL RUNNING") : QStringLiteral("ended"));
}

// Case 7: from the server's close to the window's completion, over 20 small
// exchanges.
void completionLatency(BenchWindow &w, BenchServer &server, Report &r)
{
    settle(w, server);
    server.setPlan(BenchServer::Plan::AnswerAndClose, QByteArray(1024, 'x'), 1024);
    std::chrono::steady_clock::time_point completedAt;
    QObject guard;
    // Connected after the window's own handler, so this runs once the window
    // has shown the completion.
    QObject::connect(&w.form.engine(), &ExchangeEngine::completed, &guard,
                     [&] { completedAt = std::chrono::steady_clock::now(); });
    QList<double> ms;
    for (int i = 0; i < 20; ++i) {
        w.send(server.port());
        if (!w.waitEnabled(10000) || w.statusBar->text() != Done)
            continue;
        ms << std::chrono::duration<double, std::milli>(completedAt - server.lastClose()).count();
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms.isEmpty() ? -1 : ms[ms.size() / 2];
    const double worst = ms.isEmpty() ? -1 : ms.last();
    r.atMost(QStringLiteral("7 completion after the server's close, median"), median, 25, "ms",
             QStringLiteral("(%1 of 20 completed)").arg(ms.size()));
    r.atMost(QStringLiteral("7 completion after the server's close, worst"), worst, 25, "ms");
}

long openFds()
{
    return static_cast<long>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

int soak(int count)
{
    BenchWindow w;
    BenchServer server;
    w.timeOutSlider->setValue(1);
    const quint16 refused = [] {
        BenchServer gone;
        return gone.port();
    }();
    QByteArray answer;
    for (int i = 0; i < 200; ++i)
        answer += "<line>" + QByteArray::number(i) + "</line>\r\n";
    long fds100 = 0;
    qint64 rss100 = 0;
    int ended = 0, completed = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 1; i <= count; ++i) {
        quint16 port = server.port();
        switch (i % 5) {
        case 0:
            server.setPlan(BenchServer::Plan::AnswerAndClose, answer, answer.size());
            break;
        case 1:
            server.setPlan(BenchServer::Plan::AnswerInPieces, answer, 100);
            break;
        case 2:
            server.setPlan(BenchServer::Plan::Reset, answer, 100);
            break;
        case 3:
            port = refused;
            break;
        default:
            server.setPlan(BenchServer::Plan::CloseWithoutData, QByteArray(), 1);
            break;
        }
        w.send(port);
        ended += w.waitEnabled(600000) ? 1 : 0;
        completed += w.statusBar->text() == Done ? 1 : 0;
        if (i == 100) {
            QApplication::processEvents();
            fds100 = openFds();
            rss100 = Memory::resident() / 1024;
        }
    }
    QApplication::processEvents();
    const long fds = openFds();
    const qint64 rss = Memory::resident() / 1024;
    std::printf("soak: %d exchanges in %.0f s, %d ended with the window enabled, %d completions, %d boxes\n", count,
                seconds(t), ended, completed, w.box.count);
    std::printf("      open descriptors after 100: %ld, at the end: %ld\n", fds100, fds);
    std::printf("      resident memory after 100: %lld KiB, at the end: %lld KiB (%+.1f%%; tolerance 10%%)\n",
                static_cast<long long>(rss100), static_cast<long long>(rss), 100.0 * (rss - rss100) / rss100);
    const bool ok = ended == count && fds == fds100 && rss <= rss100 * 11 / 10;
    std::printf("      %s\n", ok ? "steady" : "NOT STEADY");
    return ok ? 0 : 1;
}

int argAfter(const QStringList &args, const QString &name, int otherwise)
{
    const qsizetype i = args.indexOf(name);
    const int n = i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : 0;
    return n > 0 ? n : otherwise;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The close case closes the one window; the bench goes on after it.
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--soak")))
        return soak(argAfter(args, QStringLiteral("--soak"), 1000));
    const int repeat = argAfter(args, QStringLiteral("--repeat"), 3);
    // A few cases alone, for profiling one of them.
    const qsizetype onlyArg = args.indexOf(QStringLiteral("--only"));
    const QStringList only = onlyArg >= 0 ? args.value(onlyArg + 1).split(QLatin1Char(',')) : QStringList();
    const auto runs = [&only](int n) { return only.isEmpty() || only.contains(QString::number(n)); };

    std::printf("wireProbeDesk bench (offscreen, %d cores online)\n", static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)));
    // The floor first, as the floor program measures it: before any window of ours exists.
    FloorFigures floor;
    const qsizetype floorArg = args.indexOf(QStringLiteral("--floor"));
    if (floorArg >= 0) {
        const std::optional<FloorFigures> read = Floor::read(args.value(floorArg + 1));
        if (!read) {
            std::fprintf(stderr, "wpdbench: cannot read the floor figures from %s\n",
                         qPrintable(args.value(floorArg + 1)));
            return 2;
        }
        floor = *read;
    } else if (runs(1) || runs(2) || runs(3)) {
        floor = Floor::measure(app, repeat);
    }
    if (!floor.from.isEmpty())
        std::printf("floor (%s): line4m_anywhere %.3f s, lines16m %.3f s, req10m %.3f s\n\n", qPrintable(floor.from),
                    floor.line4mAnywhere, floor.lines16m, floor.req10m);

    Report r;
    // The streamed and loaded texts are the floor's own.
    const bool sameTexts = BenchTexts::all(*BenchTexts::numberedLines(16 << 20)) == Floor::lines16m().toLatin1()
                           && BenchTexts::all(*BenchTexts::noSpaces(4 << 20)) == Floor::line4m().toLatin1()
                           && BenchTexts::request10m() == Floor::req10m().toLatin1();
    r.holds(QStringLiteral("texts are the floor's"), sameTexts,
            sameTexts ? QStringLiteral("same") : QStringLiteral("DIFFER"));

    BenchWindow w;
    BenchServer server;
    if (runs(1))
        streamed(
            w, server, r, QStringLiteral("1 16 MiB lines streamed, to all shown"),
            [] { return BenchTexts::numberedLines(16 << 20); }, "lines16m", floor.lines16m, 0.5, repeat);
    if (runs(2))
        opening(w, r, floor, repeat);
    if (runs(3))
        streamed(
            w, server, r, QStringLiteral("3 4 MiB line, no spaces, to all shown"),
            [] { return BenchTexts::noSpaces(4 << 20); }, "line4m_anywhere", floor.line4mAnywhere, 0.1, repeat);
    if (runs(7))
        completionLatency(w, server, r);
    if (runs(4))
        large(
            w, server, r, QStringLiteral("4 256 MiB lines"), [] { return BenchTexts::numberedLines(256 << 20); }, true);
    if (runs(5)) {
        large(
            w, server, r, QStringLiteral("5 64 MiB line, no spaces"), [] { return BenchTexts::noSpaces(64 << 20); },
            false);
        interactions(w, r, QStringLiteral("5 64 MiB line"));
    }
    if (runs(17)) {
        large(
            w, server, r, QStringLiteral("17 64 MiB lines"), [] { return BenchTexts::numberedLines(64 << 20); }, false);
        interactions(w, r, QStringLiteral("17 64 MiB lines"));
    }
    if (runs(15)) {
        large(
            w, server, r, QStringLiteral("15 32 MiB of lone CR"), [] { return BenchTexts::repeated('\r', 32 << 20); },
            false);
        large(
            w, server, r, QStringLiteral("15 32 MiB of lone LF"), [] { return BenchTexts::repeated('\n', 32 << 20); },
            false);
    }
    if (runs(14))
        againstTheWire(w, server, r, repeat);
    if (runs(16)) {
        w.setLimit(QStringLiteral("1 GiB"));
        large(
            w, server, r, QStringLiteral("16 1 GiB lines, limit 1 GiB"),
            [] { return BenchTexts::numberedLines((qint64(1) << 30) - 100); }, false, 1.3);
        w.setLimit(QStringLiteral("512 MiB"));
    }
    if (runs(9) || runs(10))
        HistoryBench::searchAndOpen(w, r, runs(9), runs(10));
    if (runs(11))
        HistoryBench::comparing(w, r);
    if (runs(8))
        HistoryBench::recording(w, server, r);
    if (runs(12))
        ReadingCases::search(r);
    if (runs(13))
        ReadingCases::format(w, server, r);
    if (runs(6))
        flood(w, server, r);
    return r.summary();
}
