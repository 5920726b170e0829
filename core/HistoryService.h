#pragma once

#include "core/HistoryStore.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

// The history store on a thread of its own, for a window: every call returns
// at once and the answer comes back as a signal on the caller's thread. Calls
// run in the order made. Recording takes the entry's bytes as they are
// (shared, not copied), so the caller never waits for a large response.
class HistoryService : public QObject
{
    Q_OBJECT
public:
    explicit HistoryService(const QString &path = HistoryStore::defaultPath(), QObject *parent = nullptr);
    // Waits for the calls still queued, recordings included.
    ~HistoryService() override;

    void setLimits(const HistoryStore::Limits &limits);
    void record(const HistoryEntry &entry);
    // A page of the list: answered by fetched() with the ticket returned. A
    // later fetch makes an unanswered one moot: it may never be answered.
    int fetch(const QString &query, qint64 beforeId, int count);
    // The whole entry, bytes included: loaded().
    int load(qint64 id);
    int preview(qint64 id, int chars);
    void remove(const QList<qint64> &ids);
    void clear();

signals:
    void recorded(const HistoryEntry &entry); // without its bytes
    void fetched(int ticket, const QList<HistoryEntry> &rows, bool atEnd);
    void loaded(int ticket, const std::optional<HistoryEntry> &entry);
    void previewed(int ticket, const std::optional<HistoryStore::Preview> &preview);
    void removed(const QList<qint64> &ids);
    void cleared();
    // Once for each new fault; a success in between makes the next one new again.
    void fault(const QString &text);

private:
    template<typename Job>
    void post(Job job);
    // On the store's thread: after each call, what the caller is told of a fault.
    void report();

    QThread m_thread;
    QObject *m_context;                    // lives on m_thread; jobs run in its event loop
    std::unique_ptr<HistoryStore> m_store; // made, used and destroyed on m_thread
    QString m_path;
    HistoryStore::Limits m_limits;
    QString m_lastFault;
    std::atomic<int> m_ticket{0};
    std::atomic<int> m_latestFetch{0};
};
