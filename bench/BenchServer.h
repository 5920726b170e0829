#pragma once

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Where an answer's bytes come from, a piece at a time, so that the server
// never holds a response of hundreds of megabytes.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    // Fills up to max bytes; 0 means the answer is complete.
    virtual qsizetype read(char *to, qsizetype max) = 0;
};

// A loopback server on its own thread, so that its sending does not compete
// with the window's event loop. Each connection follows the current plan.
class BenchServer
{
public:
    enum class Plan {
        AnswerAndClose, // all at once, then close
        AnswerInPieces, // pieces with a 2 ms pause between them
        Stream,         // pieces back to back, as fast as the client reads
        Flood,          // pieces without end, until the client goes
        Reset,          // a little, then a reset
        CloseWithoutData,
    };
    using SourceFactory = std::function<std::unique_ptr<ByteSource>()>;

    BenchServer();
    ~BenchServer();
    quint16 port() const { return m_port; }

    void setPlan(Plan plan, const QByteArray &answer, qsizetype pieceSize);
    // Each connection gets a fresh source from the factory.
    void setPlan(Plan plan, SourceFactory source, qsizetype pieceSize);
    // When the last connection was closed by the server.
    std::chrono::steady_clock::time_point lastClose() const;
    // Bytes sent on the last connection.
    qint64 lastSent() const { return m_sent; }

private:
    void run();
    void serve(int fd);
    bool sendAll(int fd, const char *data, qsizetype n);

    int m_listen = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_sent{0};
    mutable std::mutex m_mutex;
    Plan m_plan = Plan::AnswerAndClose;
    SourceFactory m_source;
    qsizetype m_piece = 65536;
    std::chrono::steady_clock::time_point m_lastClose;
};
