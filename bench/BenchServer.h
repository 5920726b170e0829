#pragma once

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

// A loopback server on its own thread, so that its sending does not compete
// with the window's event loop. Each connection follows the current plan.
class BenchServer
{
public:
    enum class Plan { AnswerAndClose, AnswerInPieces, Reset, CloseWithoutData };

    BenchServer();
    ~BenchServer();
    quint16 port() const { return m_port; }

    void setPlan(Plan plan, QByteArray answer, qsizetype pieceSize);
    // When the last connection was closed by the server.
    std::chrono::steady_clock::time_point lastClose() const;

private:
    void run();
    void serve(int fd);

    int m_listen = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    Plan m_plan = Plan::AnswerAndClose;
    QByteArray m_answer;
    qsizetype m_piece = 65536;
    std::chrono::steady_clock::time_point m_lastClose;
};
