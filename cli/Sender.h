#pragma once

#include "cli/ExchangeFacts.h"
#include "cli/OutputWriter.h"
#include "cli/ProgressLine.h"
#include "cli/SendOptions.h"
#include "cli/SignalPipe.h"
#include "core/ExchangeEngine.h"
#include "core/OutputFile.h"
#include "core/ProcessStart.h"

#include <QEventLoop>
#include <QObject>
#include <memory>

// One run of the command: opens the output, reads the request, drives the
// engine, streams the response to standard output (or into the -o file) as
// it arrives, reports on standard error, and answers the exit status.
class Sender : public QObject
{
    Q_OBJECT
public:
    Sender(const SendOptions &options, const ProcessStart::Closed &closedAtStart, QObject *parent = nullptr);
    int run();

private:
    // The steps of run(), in order; each does nothing once the run has ended.
    void checkDestination();
    void openOutput();
    QByteArray readRequest();
    void exchange(const QByteArray &request);
    void finishOutput();
    void report();

    ExchangeSetup setup(const QByteArray &request) const;
    QString outputName() const;

    void onConnected();
    void onRequestSent();
    void onArrived(qint64 total);
    void onCompleted();
    void onTimedOut(int seconds);
    void onFailed(qint32 number, const QString &description);
    void onSignal(int signalNumber);
    void onOutputFailed(int error);

    void end(const QString &outcome, int status);
    void say(const QString &line);
    void detail(const QString &line);
    void sayFailure(const Failure &f);
    void sayFileFailure(const Failure &f, const QString &path);

    const SendOptions &m_options;
    const ProcessStart::Closed m_closedAtStart;
    ExchangeEngine m_engine;
    ProgressLine m_progress;
    std::unique_ptr<SignalPipe> m_signals;
    std::unique_ptr<OutputFile> m_outputFile; // with -o
    std::unique_ptr<OutputWriter> m_writer;
    QEventLoop m_loop;
    ExchangeFacts m_facts;
    qint64 m_received = 0;
    // With --record: the response as the history keeps it, up to its per-entry cap.
    QByteArray m_recorded;
    qint64 m_recordCap = 0;
    bool m_ended = false;
    bool m_interrupted = false;
};
