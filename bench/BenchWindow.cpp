#include "BenchWindow.h"

#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

template<typename W>
W *control(QObject *parent, const char *name)
{
    W *w = parent->findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

} // namespace

BenchWindow::BenchWindow()
{
    sendCmd = control<QPushButton>(&form, "sendCmd");
    openCmd = control<QPushButton>(&form, "openCmd");
    saveCmd = control<QPushButton>(&form, "saveCmd");
    clearCmd = control<QPushButton>(&form, "clearCmd");
    addressCmb = control<QComboBox>(&form, "addressCmb");
    portCmb = control<QComboBox>(&form, "portCmb");
    limitCmb = control<QComboBox>(&form.details(), "limitCmb");
    timeOutSlider = control<QSlider>(&form, "TimeOutSlider");
    requestTxt = control<RawTextPane>(&form, "requestTxt");
    responseTxt = control<ResponseView>(&form, "responseTxt");
    statusBar = control<QLabel>(&form, "statusBar");
    form.restoreSettings();
    form.show();
    QApplication::processEvents();
}

void BenchWindow::setLimit(const QString &text)
{
    const int i = limitCmb->findText(text);
    if (i < 0)
        qFatal("no limit %s", qPrintable(text));
    limitCmb->setCurrentIndex(i);
}

void BenchWindow::send(quint16 port)
{
    addressCmb->setEditText(QStringLiteral("127.0.0.1"));
    portCmb->setEditText(QString::number(port));
    if (requestTxt->document()->isEmpty())
        requestTxt->setRawText(QStringLiteral("GET / HTTP/1.0\r\n\r\n"));
    sendCmd->click();
}

bool BenchWindow::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    if (done())
        return true;
    // A real event loop, not a processEvents spin: the window's thread sleeps
    // when there is nothing to do, as it does for a user.
    QEventLoop loop;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(2);
    loop.exec();
    return done();
}

bool BenchWindow::waitEnabled(int timeoutMs)
{
    return waitFor([this] { return !form.isBusy() && !form.engine().isRunning(); }, timeoutMs);
}

double BenchWindow::waitShown(const QElapsedTimer &since, int timeoutMs)
{
    constexpr qint64 QuietNs = 300 * 1000000LL;
    qint64 shown = responseTxt->shownBytes();
    qint64 lastGrowth = since.nsecsElapsed();
    const bool done = waitFor(
        [&] {
            const qint64 now = since.nsecsElapsed();
            if (responseTxt->shownBytes() != shown) {
                shown = responseTxt->shownBytes();
                lastGrowth = now;
            }
            return !form.isBusy() && !form.engine().isRunning() && now - lastGrowth > QuietNs;
        },
        timeoutMs);
    return done ? lastGrowth / 1e9 : -1;
}

bool BenchWindow::responseShows(const QByteArray &bytes) const
{
    constexpr qint64 Stretch = 4 << 20;
    const ResponseText &text = responseTxt->text();
    if (text.size() != bytes.size())
        return false;
    for (qint64 from = 0; from < text.size(); from += Stretch) {
        const qint64 to = qMin(text.size(), from + Stretch);
        if (text.text(from, to) != QLatin1String(bytes.constData() + from, to - from))
            return false;
    }
    return true;
}
