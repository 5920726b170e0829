#include "cli/OutputWriter.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {
// Bytes (and pieces, each up to the engine's 1 MiB) held for a slow reader
// before the caller is told to wait, and the level it may go on at.
constexpr qint64 HighWater = 2 << 20;
constexpr qint64 LowWater = 1 << 20;
constexpr size_t MostPieces = 4;
// Written in steps of a pipe's size, so a slow reader shows its progress.
constexpr qsizetype Step = 64 * 1024;
constexpr int TickMs = 100;
} // namespace

// Shared with the thread, which may outlive the writer when it is blocked
// at the end of the process; its descriptors close with the last owner.
struct OutputWriter::Shared
{
    int fd = -1;
    int notifyFd = -1;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<QByteArray> queue;
    qint64 queued = 0;
    bool finishing = false;
    bool stop = false;
    bool done = false; // the thread has left its loop
    int error = 0;
    std::atomic<qint64> written{0};

    ~Shared()
    {
        for (int d : {fd, notifyFd})
            if (d >= 0)
                ::close(d);
    }
    void notify() const
    {
        const quint64 one = 1;
        (void)!::write(notifyFd, &one, sizeof one);
    }
};

OutputWriter::OutputWriter(int fd, int stallSeconds, bool startWriteback, QObject *parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_stallMs(qint64(stallSeconds) * 1000)
{
    // A copy of its own: whoever owns fd may close it while the thread is
    // still in a write, and the number could then name another file.
    m_shared->fd = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    m_shared->notifyFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    m_notifier = std::make_unique<QSocketNotifier>(m_shared->notifyFd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &OutputWriter::onNotified);
    m_stallTick.setInterval(TickMs);
    connect(&m_stallTick, &QTimer::timeout, this, &OutputWriter::onStallTick);
    std::thread([shared = m_shared, startWriteback] {
        // The thread's own copy of the pointer keeps the state alive.
        Shared &s = *shared;
        for (;;) {
            QByteArray piece;
            {
                std::unique_lock lock(s.mutex);
                s.wake.wait(lock, [&s] { return s.stop || s.finishing || !s.queue.empty(); });
                if (s.stop || s.queue.empty())
                    break;
                piece = s.queue.front();
            }
            int error = 0;
            const qint64 offset = s.written;
            for (qsizetype done = 0; done < piece.size() && !error;) {
                const ssize_t n = ::write(s.fd, piece.constData() + done, size_t(qMin(Step, piece.size() - done)));
                if (n > 0) {
                    done += n;
                    s.written += n;
                } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                    // Left non-blocking by whoever started us: wait as a blocking write would.
                    pollfd p{s.fd, POLLOUT, 0};
                    ::poll(&p, 1, -1);
                } else if (n < 0 && errno != EINTR) {
                    error = errno;
                } else if (n == 0) {
                    error = EIO;
                }
            }
            if (startWriteback && !error)
                ::sync_file_range(s.fd, offset, piece.size(), SYNC_FILE_RANGE_WRITE);
            {
                std::lock_guard lock(s.mutex);
                s.queue.pop_front();
                s.queued -= piece.size();
                if (error) {
                    s.error = error;
                    s.stop = true;
                }
            }
            s.notify();
            if (error)
                break;
        }
        {
            std::lock_guard lock(s.mutex);
            s.done = true;
        }
        s.notify();
    }).detach();
}

OutputWriter::~OutputWriter()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->stop = true;
    }
    m_shared->wake.notify_all();
}

void OutputWriter::push(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->stop)
            return;
        m_shared->queue.push_back(bytes); // shared, not copied
        m_shared->queued += bytes.size();
    }
    m_shared->wake.notify_one();
    if (!m_stallTick.isActive() && m_stallMs > 0) {
        m_lastWritten = written();
        m_sinceProgress.start();
        m_stallTick.start();
    }
}

void OutputWriter::finish()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->finishing = true;
    }
    m_shared->wake.notify_one();
    onNotified();
}

bool OutputWriter::full() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->queued >= HighWater || m_shared->queue.size() >= MostPieces;
}

bool OutputWriter::isDrained() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->queue.empty();
}

qint64 OutputWriter::written() const
{
    return m_shared->written;
}

void OutputWriter::onNotified()
{
    quint64 count = 0;
    (void)!::read(m_shared->notifyFd, &count, sizeof count);
    qint64 queued;
    size_t pieces;
    int error;
    bool finishedAll;
    {
        std::lock_guard lock(m_shared->mutex);
        queued = m_shared->queued;
        pieces = m_shared->queue.size();
        error = m_shared->error;
        finishedAll = m_shared->finishing && m_shared->queue.empty();
    }
    if (queued == 0)
        m_stallTick.stop();
    if (m_ended)
        return;
    if (error) {
        m_ended = true;
        emit failed(error);
        return;
    }
    if (finishedAll) {
        m_ended = true;
        emit drained();
        return;
    }
    if (queued < LowWater && pieces < MostPieces)
        emit roomAgain();
}

void OutputWriter::onStallTick()
{
    const qint64 now = written();
    if (now != m_lastWritten) {
        m_lastWritten = now;
        m_sinceProgress.start();
        return;
    }
    if (m_sinceProgress.elapsed() < m_stallMs || m_ended)
        return;
    m_stallTick.stop();
    m_ended = true;
    emit failed(ETIMEDOUT);
}
