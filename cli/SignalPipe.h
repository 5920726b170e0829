#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns SIGINT and SIGTERM into a Qt signal: the handler only writes the
// signal's number to a pipe, and the event loop reads it.
class SignalPipe : public QObject
{
    Q_OBJECT
public:
    explicit SignalPipe(QObject *parent = nullptr);
    ~SignalPipe() override;

    // Until a SignalPipe exists, SIGINT and SIGTERM end the program at once
    // (so a prompt can be left with Ctrl+C), and SIGHUP does throughout; a
    // temporary file made by then is removed first.
    static void removeOnSignal(const QByteArray &path);

signals:
    void caught(int signalNumber);

private:
    void onReadable();
    static void handler(int signalNumber);

    int m_fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};
