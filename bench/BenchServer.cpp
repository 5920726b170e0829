#include "BenchServer.h"

#include <QtGlobal>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class BytesSource : public ByteSource
{
public:
    explicit BytesSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    qsizetype read(char *to, qsizetype max) override
    {
        const qsizetype n = qMin(max, m_bytes.size() - m_at);
        memcpy(to, m_bytes.constData() + m_at, static_cast<size_t>(n));
        m_at += n;
        return n;
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

} // namespace

BenchServer::BenchServer()
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // An unbound socket would listen on every interface at a port of the system's choosing.
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(m_listen, 16) != 0)
        qFatal("BenchServer: cannot listen on 127.0.0.1: %s", strerror(errno));
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

void BenchServer::setPlan(Plan plan, const QByteArray &answer, qsizetype pieceSize)
{
    setPlan(
        plan, [answer] { return std::make_unique<BytesSource>(answer); }, pieceSize);
}

void BenchServer::setPlan(Plan plan, SourceFactory source, qsizetype pieceSize)
{
    std::lock_guard<std::mutex> g(m_mutex);
    m_plan = plan;
    m_source = std::move(source);
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

bool BenchServer::sendAll(int fd, const char *data, qsizetype n)
{
    qsizetype done = 0;
    while (done < n && !m_stop) {
        // Bounded waits, so a client that stops reading cannot hold the thread.
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        if (p.revents & (POLLERR | POLLHUP))
            return false;
        const ssize_t w = ::send(fd, data + done, static_cast<size_t>(n - done), MSG_NOSIGNAL);
        if (w <= 0)
            return false;
        done += w;
        m_sent += w;
    }
    return done == n;
}

void BenchServer::serve(int fd)
{
    Plan plan;
    std::unique_ptr<ByteSource> source;
    qsizetype piece;
    {
        std::lock_guard<std::mutex> g(m_mutex);
        plan = m_plan;
        source = m_source ? m_source() : std::make_unique<BytesSource>(QByteArray());
        piece = m_piece;
    }
    m_sent = 0;
    QByteArray buf(qMax<qsizetype>(piece, 65536), Qt::Uninitialized);
    pollfd p{fd, POLLIN, 0};
    // The request; its contents do not matter here. (A (void) cast does not quiet
    // glibc's warn_unused_result on read() under _FORTIFY_SOURCE.)
    [[maybe_unused]] const ssize_t request = ::poll(&p, 1, 5000) > 0
                                                 ? ::read(fd, buf.data(), static_cast<size_t>(buf.size()))
                                                 : 0;
    if (plan == Plan::Reset) {
        linger l{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
        sendAll(fd, buf.constData(), source->read(buf.data(), 100));
    } else if (plan == Plan::Flood) {
        // The source is read once and its first piece sent again and again.
        const qsizetype n = source->read(buf.data(), piece);
        while (n > 0 && !m_stop && sendAll(fd, buf.constData(), n)) {}
    } else if (plan != Plan::CloseWithoutData) {
        for (;;) {
            const qsizetype n = source->read(buf.data(), piece);
            if (n <= 0 || !sendAll(fd, buf.constData(), n))
                break;
            if (plan == Plan::AnswerInPieces)
                ::usleep(2000);
        }
    }
    ::close(fd);
    std::lock_guard<std::mutex> g(m_mutex);
    m_lastClose = std::chrono::steady_clock::now();
}
