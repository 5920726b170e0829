#include "cli/Sender.h"

#include "cli/ExitStatus.h"
#include "cli/FdOutput.h"
#include "cli/JsonReport.h"
#include "cli/RequestContentLength.h"
#include "cli/RequestInput.h"
#include "cli/TerminalPassword.h"
#include "core/ExchangeReport.h"
#include "core/FileFailure.h"
#include "core/PortText.h"
#include "core/ResponseFile.h"
#include "core/TlsSetup.h"

#include <QFile>
#include <QFileInfo>
#include <QSslCipher>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Program = QStringLiteral("wireprobe-send: ");

} // namespace

Sender::Sender(const SendOptions &options, QObject *parent)
    : QObject(parent),
      m_options(options),
      // Not over a response that is itself going to the terminal.
      m_progress(!options.json && ::isatty(STDERR_FILENO) && (!options.outputPath.isEmpty() || !::isatty(STDOUT_FILENO)),
                 [this](qint64 *bytes, double *elapsed) {
                     *bytes = m_engine.response().size();
                     *elapsed = m_engine.elapsedMs();
                 })
{
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

    QByteArray request;
    if (!m_ended) {
        try {
            request = prepareRequest();
            if (request.isEmpty()) {
                say(ExchangeReport::requestMissing());
                end(QStringLiteral("failed"), ExitStatus::BadInput);
            }
        } catch (const Failure &f) {
            m_facts.failure = f;
            sayFileFailure(f, m_options.requestFromStdin() ? QStringLiteral("標準入力") : m_options.requestPath);
            end(QStringLiteral("failed"), ExitStatus::BadInput);
        }
    }
    if (!m_ended) {
        try {
            checkOutputFolder();
        } catch (const Failure &f) {
            m_facts.outputFailure = f;
            sayFileFailure(f, m_options.outputPath);
            end(QStringLiteral("failed"), ExitStatus::Output);
        }
    }
    if (!m_ended) {
        try {
            detail(QStringLiteral("接続しています: %1 ポート %2").arg(m_options.host).arg(*m_facts.port));
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
    }
    m_progress.stop();
    streamNew();
    writeOutputFile();
    report();
    return m_facts.exitStatus;
}

QByteArray Sender::prepareRequest()
{
    if (m_options.requestFromStdin() && ::isatty(STDIN_FILENO))
        say(QStringLiteral("標準入力から要求メッセージを読み込みます。終わりに Ctrl+D を押して下さい。"));
    QByteArray request = RequestInput::read(m_options.requestPath, m_options.requestFromStdin(), m_options.binary,
                                            m_options.lfEndsLine);
    if (m_options.fixContentLength) {
        RequestContentLength::Result r = RequestContentLength::fix(request, m_options.encoding);
        for (const QString &note : r.notes)
            detail(note);
        request = std::move(r.request);
    }
    return request;
}

void Sender::checkOutputFolder() const
{
    // A response that cannot be saved is known before anything is sent.
    if (m_options.outputPath.isEmpty())
        return;
    const QFileInfo info(m_options.outputPath);
    struct stat st {};
    if (::stat(QFile::encodeName(info.absolutePath()).constData(), &st) != 0)
        throw FileFailure::fromErrno(errno);
    if (!S_ISDIR(st.st_mode))
        throw FileFailure::fromErrno(ENOTDIR);
    if (info.isDir())
        throw FileFailure::fromErrno(EISDIR);
}

ExchangeSetup Sender::setup(const QByteArray &request) const
{
    ExchangeSetup s;
    s.host = m_options.host;
    s.port = *m_facts.port;
    s.timeoutSeconds = m_options.timeoutSeconds;
    s.request = request;
    s.responseLimit = m_options.responseLimit;
    s.httpEnd = m_options.httpEnd;
    s.tls = m_options.tls;
    s.askPassword = &TerminalPassword::ask;
    return s;
}

void Sender::onConnected()
{
    const ExchangeTimings &t = m_engine.timings();
    detail(QStringLiteral("接続しました（%1）").arg(ExchangeReport::milliseconds(t.connected)));
    if (!m_engine.usedTls())
        return;
    const Transport &transport = m_engine.transport();
    const QSslConfiguration session = transport.sessionConfiguration();
    m_facts.tlsEstablished = true;
    m_facts.tlsProtocol = TlsSetup::protocolName(session);
    m_facts.tlsCipher = session.sessionCipher().name();
    // Verification runs even with --insecure; verified means it found nothing.
    m_facts.tlsVerified = transport.verifyErrors().isEmpty();
    detail(QStringLiteral("TLS ハンドシェイクが完了しました（%1）").arg(ExchangeReport::milliseconds(t.tlsDone)));
    for (const QString &line : m_engine.tlsDetails())
        detail(QStringLiteral("  ") + line);
}

void Sender::onRequestSent()
{
    detail(QStringLiteral("要求メッセージを送信しました: %1 バイト（%2）")
               .arg(m_engine.requestBytesSent())
               .arg(ExchangeReport::milliseconds(m_engine.timings().requestSent)));
}

void Sender::onArrived(qint64 total)
{
    if (m_received == 0)
        detail(QStringLiteral("最初の応答バイトを受信しました（%1）").arg(ExchangeReport::milliseconds(m_engine.timings().firstByte)));
    m_received = total;
    streamNew();
}

void Sender::onCompleted()
{
    detail(ExchangeReport::completed());
    end(QStringLiteral("completed"), ExitStatus::Completed);
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
    if (m_ended)
        return;
    m_engine.abort();
    say(QStringLiteral("シグナル %1 を受けたため、接続を打ち切りました。").arg(signalNumber));
    end(QStringLiteral("interrupted"), ExitStatus::SignalBase + signalNumber);
}

void Sender::streamNew()
{
    const QByteArray &response = m_engine.response();
    if (!m_options.outputPath.isEmpty() || m_facts.outputFailure || m_streamed >= response.size())
        return;
    const int err = FdOutput::writeAll(STDOUT_FILENO, QByteArrayView(response).sliced(m_streamed));
    m_streamed = response.size();
    if (err == 0)
        return;
    m_engine.abort();
    m_facts.outputFailure = FileFailure::fromErrno(err);
    sayFileFailure(*m_facts.outputFailure, QStringLiteral("標準出力"));
    if (m_ended)
        m_facts.exitStatus = ExitStatus::Output; // outranks how the exchange ended
    else
        end(QStringLiteral("failed"), ExitStatus::Output);
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

void Sender::writeOutputFile()
{
    if (m_options.outputPath.isEmpty() || m_facts.outputFailure)
        return;
    // A failure replaces the file only when something arrived before it.
    if (m_facts.outcome == QLatin1String("failed") && m_engine.response().isEmpty())
        return;
    try {
        ResponseFile::save(m_options.outputPath, m_engine.response());
    } catch (const Failure &f) {
        m_facts.outputFailure = f;
        m_facts.exitStatus = ExitStatus::Output;
        sayFileFailure(f, m_options.outputPath);
    }
}

void Sender::report()
{
    if (m_options.verbose && m_engine.timings().end >= 0)
        for (const QString &line : ExchangeReport::summary(m_engine, QStringLiteral(" --http-end を付ける")))
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
