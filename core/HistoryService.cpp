#include "core/HistoryService.h"

#include <sys/resource.h>
#include <unistd.h>

HistoryService::HistoryService(const QString &path, QObject *parent)
    : QObject(parent), m_context(new QObject), m_path(path)
{
    m_thread.setObjectName(QStringLiteral("HistoryStore"));
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    // On Linux a thread has a nice value of its own: where it competes with
    // the window's thread for a core, the window wins.
    connect(
        &m_thread, &QThread::started, m_context, [] { ::setpriority(PRIO_PROCESS, ::gettid(), 19); },
        Qt::DirectConnection);
    m_thread.start();
}

HistoryService::~HistoryService()
{
    // Queued after everything else: the store closes on its own thread.
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            m_store.reset();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    m_thread.wait();
}

template<typename Job>
void HistoryService::post(Job job)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, job = std::move(job)] {
            if (!m_store)
                m_store = std::make_unique<HistoryStore>(m_path);
            job(*m_store);
            report();
        },
        Qt::QueuedConnection);
}

void HistoryService::report()
{
    const HistoryFault &f = m_store->fault();
    if (!f) {
        m_lastFault.clear();
        return;
    }
    if (f.text == m_lastFault)
        return;
    m_lastFault = f.text;
    QMetaObject::invokeMethod(
        this, [this, text = f.text] { emit fault(text); }, Qt::QueuedConnection);
}

void HistoryService::setLimits(const HistoryStore::Limits &limits)
{
    QMetaObject::invokeMethod(
        m_context, [this, limits] { m_limits = limits; }, Qt::QueuedConnection);
}

void HistoryService::record(const HistoryEntry &entry)
{
    post([this, entry](HistoryStore &store) {
        HistoryEntry row = entry;
        if (!store.add(row, m_limits))
            return;
        // The caller's row for its list: what the store made of it, without the bytes.
        row.request = QByteArray();
        row.response = QByteArray();
        QMetaObject::invokeMethod(
            this, [this, row] { emit recorded(row); }, Qt::QueuedConnection);
    });
}

int HistoryService::fetch(const QString &query, qint64 beforeId, int count)
{
    const int ticket = ++m_ticket;
    m_latestFetch = ticket;
    post([this, ticket, query, beforeId, count](HistoryStore &store) {
        const auto moot = [this, ticket] { return m_latestFetch.load() != ticket; };
        if (moot())
            return;
        const QList<HistoryEntry> rows = store.list(query, beforeId, count, moot);
        if (moot())
            return;
        const bool atEnd = rows.size() < count;
        QMetaObject::invokeMethod(
            this, [this, ticket, rows, atEnd] { emit fetched(ticket, rows, atEnd); }, Qt::QueuedConnection);
    });
    return ticket;
}

int HistoryService::load(qint64 id)
{
    const int ticket = ++m_ticket;
    post([this, ticket, id](HistoryStore &store) {
        const std::optional<HistoryEntry> entry = store.load(id);
        QMetaObject::invokeMethod(
            this, [this, ticket, entry] { emit loaded(ticket, entry); }, Qt::QueuedConnection);
    });
    return ticket;
}

int HistoryService::preview(qint64 id, int chars)
{
    const int ticket = ++m_ticket;
    post([this, ticket, id, chars](HistoryStore &store) {
        const std::optional<HistoryStore::Preview> p = store.preview(id, chars);
        QMetaObject::invokeMethod(
            this, [this, ticket, p] { emit previewed(ticket, p); }, Qt::QueuedConnection);
    });
    return ticket;
}

void HistoryService::remove(const QList<qint64> &ids)
{
    post([this, ids](HistoryStore &store) {
        if (store.remove(ids))
            QMetaObject::invokeMethod(
                this, [this, ids] { emit removed(ids); }, Qt::QueuedConnection);
    });
}

void HistoryService::clear()
{
    post([this](HistoryStore &store) {
        if (store.clear())
            QMetaObject::invokeMethod(
                this, [this] { emit cleared(); }, Qt::QueuedConnection);
    });
}
