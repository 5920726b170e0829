// Speed and memory of the paths that carry large texts, and a soak of many
// exchanges in a row. Run by hand: ./build/bench/wpdbench [--soak [N]]
#include "BenchServer.h"

#include "gui/CommonDialog.h"
#include "gui/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/Transport.h"
#include "gui/RawTextPane.h"
#include "gui/wireProbeDeskForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString Done = QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。");

class SilentBox : public MessageBox
{
public:
    void showError(QWidget *, const QString &) override { ++count; }
    int count = 0;
};

class ScriptedDialog : public CommonDialog
{
public:
    QString answer;

protected:
    bool show(QWidget *, bool) override
    {
        fileName = answer;
        return true;
    }
};

struct Bench
{
    QTemporaryDir dir;
    SettingsStore store{dir.path()};
    SilentBox box;
    ScriptedDialog *dialog = new ScriptedDialog;
    wireProbeDeskForm form{&store, &box, std::unique_ptr<CommonDialog>(dialog)};
    Bench()
    {
        form.Form_Load();
        form.show();
        QApplication::processEvents();
    }
};

double seconds(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

// The pane showing the text set at once: what the streamed paths are measured against.
double setOnce(RawTextPane *pane, const QString &text)
{
    pane->setRawText(QString());
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    pane->setRawText(text);
    QApplication::processEvents();
    const double s = seconds(t);
    pane->setRawText(QString());
    QApplication::processEvents();
    return s;
}

// Send to the bench server and wait for the window to come back.
bool exchange(Bench &b, quint16 port, double *elapsed = nullptr)
{
    b.form.addressCmb->setEditText(QStringLiteral("127.0.0.1"));
    b.form.portCmb->setEditText(QString::number(port));
    if (b.form.requestTxt->document()->isEmpty())
        b.form.requestTxt->setPlainText(QStringLiteral("GET / HTTP/1.0\n\n"));
    QElapsedTimer t;
    t.start();
    b.form.sendCmd_Click();
    while (!b.form.isEnabled() && t.elapsed() < 600000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (elapsed)
        *elapsed = seconds(t);
    return b.form.isEnabled();
}

void streamed(Bench &b, BenchServer &server, const char *name, const QByteArray &answer, bool target = true)
{
    const double once = setOnce(b.form.responseTxt, QString::fromUtf8(answer));
    server.setPlan(BenchServer::Plan::AnswerInPieces, answer, 64 * 1024);
    double took = 0;
    exchange(b, server.port(), &took);
    const bool exact = b.form.statusBar->text() == Done && b.form.responseTxt->rawText().toUtf8() == answer;
    std::printf("%-46s %8.3f s   set once %6.3f s   ratio %5.2f %s%s\n", name, took, once, took / once,
                target ? "(target <= 2)" : "(no target)", exact ? "" : "   TEXT DIFFERS");
}

void completionLatency(Bench &b, BenchServer &server)
{
    server.setPlan(BenchServer::Plan::AnswerAndClose, QByteArray(1024, 'x'), 1024);
    QList<double> ms;
    for (int i = 0; i < 20; ++i) {
        exchange(b, server.port());
        ms << std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - server.lastClose()).count();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-46s %8.1f ms median, %.1f ms worst of 20 (target <= 25)\n", "completion after the server's close",
                ms[ms.size() / 2], ms.last());
}

void loading(Bench &b, const char *name, const QByteArray &file)
{
    const QString path = b.dir.filePath(QStringLiteral("request.txt"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(file);
    f.close();
    QByteArray asLoaded = file; // what the loader gives: every line ends in CR LF
    if (!asLoaded.endsWith("\r\n"))
        asLoaded += "\r\n";
    const double once = setOnce(b.form.requestTxt, QString::fromUtf8(asLoaded));
    b.dialog->answer = path;
    QElapsedTimer t;
    t.start();
    b.form.openCmd_Click();
    const double took = seconds(t);
    const bool exact = b.form.requestTxt->rawText().toUtf8() == asLoaded;
    std::printf("%-46s %8.3f s   set once %6.3f s   ratio %5.2f (target <= 2)%s\n", name, took, once,
                took / once, exact ? "" : "   TEXT DIFFERS");
}

void saving(Bench &b)
{
    QByteArray text;
    for (int i = 0; text.size() < 16 * 1024 * 1024; ++i)
        text += QByteArray::number(i).rightJustified(98, '.') + "\r\n";
    b.form.responseTxt->setRawText(QString::fromUtf8(text));
    b.dialog->answer = b.dir.filePath(QStringLiteral("Response.txt"));
    QElapsedTimer t;
    t.start();
    b.form.saveCmd_Click();
    const double took = seconds(t);
    QFile f(b.dialog->answer);
    f.open(QIODevice::ReadOnly);
    std::printf("%-46s %8.3f s%s\n", "save a 16 MiB response", took, f.readAll() == text ? "" : "   FILE DIFFERS");
}

long openFds()
{
    return static_cast<long>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    f.open(QIODevice::ReadOnly);
    const QList<QByteArray> v = f.readAll().split(' ');
    return v.size() > 1 ? v[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

int soak(int count)
{
    Bench b;
    BenchServer server;
    b.form.TimeOutSlider->setValue(1);
    const quint16 refused = [] {
        BenchServer gone;
        return gone.port();
    }();
    QByteArray answer;
    for (int i = 0; i < 200; ++i)
        answer += "<line>" + QByteArray::number(i) + "</line>\r\n";
    long fds100 = 0, rss100 = 0;
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
        ended += exchange(b, port) ? 1 : 0;
        completed += b.form.statusBar->text() == Done ? 1 : 0;
        if (i == 100) {
            QApplication::processEvents();
            fds100 = openFds();
            rss100 = residentKiB();
        }
    }
    QApplication::processEvents();
    const long fds = openFds();
    const long rss = residentKiB();
    std::printf("soak: %d exchanges in %.0f s, %d ended with the window enabled, %d completions, %d boxes\n", count,
                seconds(t), ended, completed, b.box.count);
    std::printf("      open descriptors after 100: %ld, at the end: %ld\n", fds100, fds);
    std::printf("      resident memory after 100: %ld KiB, at the end: %ld KiB (%+.1f%%; tolerance 10%%)\n", rss100,
                rss, 100.0 * (rss - rss100) / rss100);
    const bool ok = ended == count && fds == fds100 && rss <= rss100 * 11 / 10;
    std::printf("      %s\n", ok ? "steady" : "NOT STEADY");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--soak"))) {
        const int i = static_cast<int>(args.indexOf(QStringLiteral("--soak")));
        const int n = i + 1 < args.size() ? args[i + 1].toInt() : 0;
        return soak(n > 0 ? n : 1000);
    }

    Bench b;
    BenchServer server;
    std::printf("wireProbeDesk bench (offscreen, %d-core machine)\n", static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)));

    QByteArray noSpaces(4 * 1024 * 1024, 'A');
    for (qsizetype i = 0; i < noSpaces.size(); ++i)
        noSpaces[i] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[i % 64];
    streamed(b, server, "4 MiB one line, no spaces, 64 KiB pieces", noSpaces);
    QByteArray lines;
    while (lines.size() < 16 * 1024 * 1024)
        lines += QByteArray(98, 'x') + "\r\n";
    streamed(b, server, "16 MiB of 100-character lines, 64 KiB pieces", lines);
    QByteArray big;
    while (big.size() < 64 * 1024 * 1024)
        big += QByteArray(1022, 'y') + "\r\n";
    streamed(b, server, "64 MiB of 1 KiB lines, 64 KiB pieces", big, false);
    big.clear();
    completionLatency(b, server);

    QByteArray file;
    for (int i = 0; i < 100000; ++i)
        file += QByteArray::number(i).rightJustified(103, ' ') + "\r\n";
    loading(b, "load 10 MiB, 100,000 lines", file);
    loading(b, "load 4 MiB, one line without spaces", noSpaces);
    saving(b);

    struct rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    std::printf("%-46s %8ld MiB\n", "peak resident memory", ru.ru_maxrss / 1024);
    return 0;
}
