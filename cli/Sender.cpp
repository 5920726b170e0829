#include "cli/Sender.h"

#include "cli/ExitStatus.h"
#include "cli/FdOutput.h"
#include "cli/HistoryCli.h"
#include "cli/JsonReport.h"
#include "cli/RequestContentLength.h"
#include "cli/TerminalPassword.h"
#include "core/ExchangeReport.h"
#include "core/FileFailure.h"
#include "core/PortText.h"
#include "core/RequestFile.h"
#include "core/TlsSetup.h"

#include <QSslCipher>

#include <cerrno>
#include <unistd.h>

namespace {

const QString Program = QStringLiteral("wireprobe-send: ");

} // namespace

Sender::Sender(const SendOptions &options, const ProcessStart::Closed &closedAtStart, QObject *parent)
    : QObject(parent),
      m_options(options),
      m_closedAtStart(closedAtStart),
      // Not over a response that is itself going to the terminal.
      m_progress(!options.json && ::isatty(STDERR_FILENO) && (!options.outputPath.isEmpty() || !::isatty(STDOUT_FILENO)),
                 [this](qint64 *bytes, double *elapsed) {
                     *bytes = m_engine.receivedBytes();
                     *elapsed = m_engine.elapsedMs();
                 })
{
    if (options.record)
        m_recordCap = HistoryCli::recordCap();
    connect(&m_engine, &ExchangeEngine::connected, this, &Sender::onConnected);
    connect(&m_engine, &ExchangeEngine::requestSent, this, &Sender::onRequestSent);
    connect(&m_engine, &ExchangeEngine::arrived, this, &Sender::onArrived);
    connect(&m_engine, &ExchangeEngine::completed, this, &Sender::onCompleted);
    connect(&m_engine, &ExchangeEngine::timedOut, this, &Sender::onTimedOut);
    connect(&m_engine, &ExchangeEngine::failed, this, &Sender::onFailed);
}

int Sender::run()
{
    m_facts.host = m_options.host;
    m_facts.tls = m_options.tls.enabled;
    m_facts.proxy = m_options.proxy;
    m_facts.proxy.password.reset();
    checkDestination();
    openOutput();
    const QByteArray request = readRequest();
    exchange(request);
    finishOutput();
    report();
    HistoryCli::record(m_engine, m_facts, m_options, m_recorded);
    return m_facts.exitStatus;
}

void Sender::checkDestination()
{
    try {
        m_facts.port = PortText::toInt(m_options.portText);
        // Known before the request is read, so a typo does not wait for standard input.
        if (*m_facts.port < 1 || *m_facts.port > 65535)
            throw PortText::rangeFailure();
    } catch (const Failure &f) {
        onFailed(f.number, f.description);
    }
    if (!m_ended && m_options.host.isEmpty()) {
        say(ExchangeReport::addressMissing());
        end(QStringLiteral("failed"), ExitStatus::BadInput);
    }
}

void Sender::openOutput()
{
    // Before anything is read or sent: a response that cannot be written is
    // known while the request can still be kept from the server.
    if (m_ended)
        return;
    int fd = STDOUT_FILENO;
    try {
        if (!m_options.outputPath.isEmpty()) {
            // A FIFO is opened as a shell's redirection would: waiting for its reader.
            m_outputFile = std::make_unique<OutputFile>(m_options.outputPath, true);
            fd = m_outputFile->descriptor();
            SignalPipe::removeOnSignal(m_outputFile->temporaryPath());
        } else if (m_closedAtStart.output) {
            throw FileFailure::fromErrno(EBADF);
        }
    } catch (const Failure &f) {
        m_facts.outputFailure = f;
        sayFileFailure(f, outputName());
        end(QStringLiteral("failed"), ExitStatus::Output);
        return;
    }
    m_writer = std::make_unique<OutputWriter>(fd, m_options.timeoutSeconds, m_outputFile && !m_outputFile->inPlace());
    connect(m_writer.get(), &OutputWriter::roomAgain, this, [this] { m_engine.holdReading(false); });
    connect(m_writer.get(), &OutputWriter::drained, &m_loop, &QEventLoop::quit);
    connect(m_writer.get(), &OutputWriter::failed, this, &Sender::onOutputFailed);
}

QByteArray Sender::readRequest()
{
    if (m_ended)
        return {};
    const bool fromStdin = m_options.requestFromStdin();
    QByteArray request;
    try {
        RequestFile::Rules rules;
        rules.lfEndsLine = m_options.lfEndsLine;
        rules.unchanged = m_options.binary;
        rules.limit = m_options.requestLimit;
        if (m_options.requestBytes) {
            request = *m_options.requestBytes; // a recorded request goes again as it was
        } else if (!fromStdin) {
            request = RequestFile::load(m_options.requestPath, rules);
        } else {
            if (m_closedAtStart.input)
                throw FileFailure::fromErrno(EBADF);
            if (::isatty(STDIN_FILENO))
                say(tr("標準入力から要求メッセージを読み込みます。終わりに Ctrl+D を押して下さい。"));
            request = RequestFile::read(STDIN_FILENO, rules);
        }
    } catch (const Failure &f) {
        m_facts.failure = f;
        sayFileFailure(f, fromStdin ? tr("標準入力") : m_options.requestPath);
        end(QStringLiteral("failed"), ExitStatus::BadInput);
        return {};
    }
    if (m_options.fixContentLength) {
        RequestContentLength::Result r = RequestContentLength::fix(request, m_options.encoding);
        for (const QString &note : r.notes)
            detail(note);
        request = std::move(r.request);
    }
    if (request.isEmpty()) {
        say(ExchangeReport::requestMissing());
        end(QStringLiteral("failed"), ExitStatus::BadInput);
    }
    return request;
}

void Sender::exchange(const QByteArray &request)
{
    if (m_ended)
        return;
    try {
        detail(m_options.proxy.used() ? tr("接続しています: %1 ポート %2（プロキシ %3 経由）")
                                            .arg(m_options.host)
                                            .arg(*m_facts.port)
                                            .arg(m_options.proxy.label())
                                      : tr("接続しています: %1 ポート %2").arg(m_options.host).arg(*m_facts.port));
        m_engine.start(setup(request));
        // Only now: until the exchange runs, SIGINT and SIGTERM end the
        // program at once, and a prompt for a password can be left with Ctrl+C.
        m_signals = std::make_unique<SignalPipe>();
        connect(m_signals.get(), &SignalPipe::caught, this, &Sender::onSignal);
        m_progress.start();
        if (!m_ended)
            m_loop.exec();
    } catch (const Failure &f) {
        onFailed(f.number, f.description);
    }
    m_progress.stop();
}

void Sender::finishOutput()
{
    if (!m_writer)
        return;
    m_writer->finish();
    // After a signal only a regular -o file is waited for: it never blocks,
    // and what arrived is then kept. A second signal ends that wait too.
    const bool mayWait = !m_interrupted || (m_outputFile && !m_outputFile->inPlace());
    if (mayWait && !m_facts.outputFailure && !m_writer->isDrained())
        m_loop.exec(); // until drained, a failure, a stall or a signal
    if (!m_outputFile || m_facts.outputFailure || !m_writer->isDrained())
        return; // the temporary file goes, the old one stays
    // A failure replaces the file only when something arrived before it.
    if (m_facts.outcome == QLatin1String("failed") && m_received == 0)
        return;
    try {
        m_outputFile->commit();
    } catch (const Failure &f) {
        m_facts.outputFailure = f;
        m_facts.exitStatus = ExitStatus::Output;
        sayFileFailure(f, m_options.outputPath);
    }
}

ExchangeSetup Sender::setup(const QByteArray &request) const
{
    ExchangeSetup s;
    s.host = m_options.host;
    s.port = *m_facts.port;
    s.timeoutSeconds = m_options.timeoutSeconds;
    s.request = request;
    s.responseLimit = m_options.responseLimit;
    s.keepResponse = false; // each piece goes to the writer as it arrives
    s.httpEnd = m_options.httpEnd;
    s.halfClose = m_options.halfClose;
    s.tls = m_options.tls;
    s.proxy = m_options.proxy;
    s.askPassword = &TerminalPassword::ask;
    return s;
}

QString Sender::outputName() const
{
    return m_options.outputPath.isEmpty() ? tr("標準出力") : m_options.outputPath;
}

void Sender::onConnected()
{
    const ExchangeTimings &t = m_engine.timings();
    if (t.proxyConnected >= 0)
        detail(tr("プロキシに接続しました（%1）").arg(ExchangeReport::milliseconds(t.proxyConnected)));
    detail(m_options.proxy.used() ? tr("プロキシ経由で接続しました（%1）").arg(ExchangeReport::milliseconds(t.connected))
                                  : tr("接続しました（%1）").arg(ExchangeReport::milliseconds(t.connected)));
    if (!m_engine.usedTls())
        return;
    const Transport &transport = m_engine.transport();
    const QSslConfiguration session = transport.sessionConfiguration();
    m_facts.tlsEstablished = true;
    m_facts.tlsProtocol = TlsSetup::protocolName(session);
    m_facts.tlsCipher = session.sessionCipher().name();
    // Verification runs even with --insecure; verified means it found nothing.
    m_facts.tlsVerified = transport.verifyErrors().isEmpty();
    detail(tr("TLS ハンドシェイクが完了しました（%1）").arg(ExchangeReport::milliseconds(t.tlsDone)));
    for (const QString &line : m_engine.tlsDetails())
        detail(QStringLiteral("  ") + line);
}

void Sender::onRequestSent()
{
    detail(tr("要求メッセージを送信しました: %1 バイト（%2）")
               .arg(m_engine.requestBytesSent())
               .arg(ExchangeReport::milliseconds(m_engine.timings().requestSent)));
}

void Sender::onArrived(qint64 total)
{
    if (m_received == 0)
        detail(tr("最初の応答バイトを受信しました（%1）").arg(ExchangeReport::milliseconds(m_engine.timings().firstByte)));
    m_received = total;
    // The response streams through; what --record keeps is bounded by the history's cap.
    if (m_options.record && m_recorded.size() < m_recordCap)
        m_recorded.append(
            m_engine.lastPiece().first(qMin<qint64>(m_engine.lastPiece().size(), m_recordCap - m_recorded.size())));
    if (m_facts.outputFailure)
        return;
    m_writer->push(m_engine.lastPiece());
    // The reader is slower than the server: the server waits, not our memory.
    if (m_writer->full())
        m_engine.holdReading(true);
}

void Sender::onCompleted()
{
    detail(ExchangeReport::completed());
    // Said whether or not the user declared the exchange HTTP; with
    // --http-end it is a failure of its own.
    const QString incomplete = ExchangeReport::httpIncomplete(m_engine.framing());
    if (!incomplete.isEmpty())
        say(incomplete);
    end(QStringLiteral("completed"),
        !incomplete.isEmpty() && m_options.httpEnd ? ExitStatus::HttpIncomplete : ExitStatus::Completed);
}

void Sender::onTimedOut(int seconds)
{
    say(ExchangeReport::timedOut(seconds));
    end(QStringLiteral("timeout"), ExitStatus::TimedOut);
}

void Sender::onFailed(qint32 number, const QString &description)
{
    m_facts.failure = Failure{number, description};
    sayFailure(*m_facts.failure);
    end(QStringLiteral("failed"), ExitStatus::forFailure(number));
}

void Sender::onSignal(int signalNumber)
{
    m_loop.quit();
    if (m_interrupted)
        return;
    m_interrupted = true;
    if (m_ended) {
        say(tr("シグナル %1 を受けたため、出力を打ち切りました。").arg(signalNumber));
    } else {
        m_engine.abort();
        say(tr("シグナル %1 を受けたため、接続を打ち切りました。").arg(signalNumber));
        end(QStringLiteral("interrupted"), 0);
    }
    m_facts.exitStatus = ExitStatus::SignalBase + signalNumber;
}

void Sender::onOutputFailed(int error)
{
    m_engine.abort();
    if (error == EPIPE) {
        // A reader that stops early (| head) is normal on a pipe: no message.
        m_facts.outputFailure = FileFailure::fromErrno(EPIPE);
        end(QStringLiteral("interrupted"), 0);
        m_facts.exitStatus = ExitStatus::ReaderGone;
    } else {
        m_facts.outputFailure =
            error == ETIMEDOUT
                ? Failure{ETIMEDOUT,
                          tr("出力先が %1 秒間読み取らなかったため、打ち切りました。").arg(m_options.timeoutSeconds)}
                : FileFailure::fromErrno(error);
        sayFileFailure(*m_facts.outputFailure, outputName());
        end(QStringLiteral("failed"), 0);
        m_facts.exitStatus = ExitStatus::Output; // outranks how the exchange ended
    }
    m_loop.quit();
}

void Sender::end(const QString &outcome, int status)
{
    if (m_ended)
        return;
    m_ended = true;
    m_facts.outcome = outcome;
    m_facts.exitStatus = status;
    m_loop.quit();
}

void Sender::report()
{
    if (m_options.verbose && m_engine.timings().end >= 0)
        for (const QString &line :
             ExchangeReport::summary(m_engine, tr("HTTP の応答は完了していました。サーバが接続を開いたままにする場合は "
                                                  "--http-end を付けると、時間切れを待たずに完了します。")))
            detail(line);
    if (m_options.json)
        FdOutput::writeAll(STDERR_FILENO, jsonReport(m_facts, m_engine) + '\n');
}

void Sender::say(const QString &line)
{
    if (m_options.json)
        return; // the JSON object is all that goes to standard error
    m_progress.clear();
    FdOutput::say(Program + line);
}

void Sender::detail(const QString &line)
{
    if (!m_options.verbose)
        return;
    m_progress.clear();
    FdOutput::say(line);
}

void Sender::sayFailure(const Failure &f)
{
    say(QString::number(f.number) + QLatin1Char(':') + f.description);
}

void Sender::sayFileFailure(const Failure &f, const QString &path)
{
    say(QString::number(f.number) + QStringLiteral(" : ") + f.description + QLatin1Char('\n') + path);
}
