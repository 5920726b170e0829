#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>

// Writes the response to a descriptor (standard output, or the -o file) on a
// thread of its own, so that a reader that does not read never blocks the
// event loop: signals and time-outs keep working. What waits is bounded:
// full() tells the caller to stop taking bytes until roomAgain().
// The descriptor's own flags are left alone; it may be shared with the shell.
class OutputWriter : public QObject
{
    Q_OBJECT
public:
    // A reader that takes nothing for stallSeconds while bytes wait is a
    // failure (ETIMEDOUT).
    // With startWriteback (a file written from its start), each piece is
    // handed to the disk as it is written, so a final sync finds little left.
    OutputWriter(int fd, int stallSeconds, bool startWriteback = false, QObject *parent = nullptr);
    // A writer still blocked in the system is left to the end of the process.
    ~OutputWriter() override;

    void push(const QByteArray &bytes);
    // No more bytes come; drained() follows once all are written.
    void finish();
    bool full() const;
    bool isDrained() const;
    qint64 written() const;

signals:
    void roomAgain();
    void drained();
    // The system's error number of the write that failed, or ETIMEDOUT.
    void failed(int error);

private:
    struct Shared;
    void onNotified();
    void onStallTick();
    void run();

    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_stallTick;
    const qint64 m_stallMs;
    qint64 m_lastWritten = 0;
    QElapsedTimer m_sinceProgress;
    bool m_ended = false; // drained or failed has been said
};
