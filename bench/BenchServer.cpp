#include "BenchServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

BenchServer::BenchServer()
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listen, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::listen(m_listen, 16);
    socklen_t len = sizeof a;
    ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&a), &len);
    m_port = ntohs(a.sin_port);
    m_thread = std::thread([this] { run(); });
}

BenchServer::~BenchServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listen);
}

void BenchServer::setPlan(Plan plan, QByteArray answer, qsizetype pieceSize)
{
    std::lock_guard<std::mutex> g(m_mutex);
    m_plan = plan;
    m_answer = std::move(answer);
    m_piece = pieceSize;
}

std::chrono::steady_clock::time_point BenchServer::lastClose() const
{
    std::lock_guard<std::mutex> g(m_mutex);
    return m_lastClose;
}

void BenchServer::run()
{
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            serve(fd);
    }
}

void BenchServer::serve(int fd)
{
    Plan plan;
    QByteArray answer;
    qsizetype piece;
    {
        std::lock_guard<std::mutex> g(m_mutex);
        plan = m_plan;
        answer = m_answer;
        piece = m_piece;
    }
    char buf[65536];
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 5000) > 0)
        (void)::read(fd, buf, sizeof buf); // the request; its contents do not matter here
    if (plan == Plan::Reset) {
        linger l{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
        (void)::write(fd, answer.constData(), static_cast<size_t>(qMin<qsizetype>(answer.size(), 100)));
    } else if (plan != Plan::CloseWithoutData) {
        for (qsizetype off = 0; off < answer.size(); off += piece) {
            const qsizetype n = qMin(piece, answer.size() - off);
            qsizetype done = 0;
            while (done < n) {
                const ssize_t w = ::write(fd, answer.constData() + off + done, static_cast<size_t>(n - done));
                if (w <= 0)
                    break;
                done += w;
            }
            if (plan == Plan::AnswerInPieces)
                ::usleep(2000);
        }
    }
    ::close(fd);
    std::lock_guard<std::mutex> g(m_mutex);
    m_lastClose = std::chrono::steady_clock::now();
}
