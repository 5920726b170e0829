#pragma once

#include "cli/ExchangeFacts.h"
#include "cli/ProgressLine.h"
#include "cli/SendOptions.h"
#include "cli/SignalPipe.h"
#include "core/ExchangeEngine.h"

#include <QEventLoop>
#include <QObject>
#include <memory>

// One run of the command: reads the request, drives the engine, streams the
// response to standard output (or saves it with -o), reports on standard
// error, and answers the exit status.
class Sender : public QObject
{
    Q_OBJECT
public:
    explicit Sender(const SendOptions &options, QObject *parent = nullptr);
    int run();

private:
    QByteArray prepareRequest();
    void checkOutputFolder() const;
    ExchangeSetup setup(const QByteArray &request) const;

    void onConnected();
    void onRequestSent();
    void onArrived(qint64 total);
    void onCompleted();
    void onTimedOut(int seconds);
    void onFailed(qint32 number, const QString &description);
    void onSignal(int signalNumber);

    void streamNew();
    void end(const QString &outcome, int status);
    void writeOutputFile();
    void report();
    void say(const QString &line);
    void detail(const QString &line);
    void sayFailure(const Failure &f);
    void sayFileFailure(const Failure &f, const QString &path);

    const SendOptions &m_options;
    ExchangeEngine m_engine;
    ProgressLine m_progress;
    std::unique_ptr<SignalPipe> m_signals;
    QEventLoop m_loop;
    ExchangeFacts m_facts;
    QString m_endMessage;
    qint64 m_streamed = 0;
    qint64 m_received = 0;
    bool m_ended = false;
};
