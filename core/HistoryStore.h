#pragma once

#include "core/HistoryEntry.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QSqlQuery;
namespace Settings {
class Section;
}

// What went wrong with the store, in words for the user. None after a success.
struct HistoryFault
{
    enum class Kind { None, CannotOpen, NotDatabase, Corrupt, Locked, Full, ReadOnly, Newer, Other };
    Kind kind = Kind::None;
    QString text;
    explicit operator bool() const { return kind != Kind::None; }
};

// The user's history of exchanges: one SQLite file through Qt SQL, in WAL
// mode with a busy time-out, so the window and the command line can write to
// it at once. Bodies are BLOBs, kept byte for byte; the list never reads
// them. A full-text index (FTS5 with the trigram tokenizer when the driver's
// SQLite has it, a plain table scanned otherwise) holds the decoded start of
// each request and response for search.
//
// One connection, used on the thread that made the store. No call throws and
// none stops the caller: a call that fails answers nothing (0, an empty list,
// nullopt, false) and fault() says why. A file that is not a database, or a
// damaged one, is renamed history.sqlite3.broken-<date> and a new store begun.
class HistoryStore
{
public:
    struct Limits
    {
        qint64 entryCap = qint64(64) << 20; // response bytes kept per entry
        int maxEntries = 1000;
        qint64 maxBytes = qint64(1) << 30;
    };
    // Bytes of each body decoded for search and preview.
    static constexpr qint64 SearchBytes = 1 << 20;
    static constexpr int SchemaVersion = 1;

    // $XDG_DATA_HOME/wireProbeDesk/history.sqlite3
    static QString defaultPath();
    // The limits the user set (HistoryMaxEntries, HistoryMaxMiB, HistoryEntryCapMiB).
    static Limits limitsFrom(const Settings::Section &settings);

    explicit HistoryStore(const QString &path = defaultPath(), int busyTimeoutMs = 5000);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    const QString &path() const { return m_path; }
    const HistoryFault &fault() const { return m_fault; }
    // Whether search uses the trigram index (after the store has opened).
    bool hasTrigramIndex() const { return m_trigram; }

    // Stores the entries in one transaction, then applies the limits; answers
    // false when it failed. Responses beyond the cap are cut. Each entry gets
    // its id, its label and its cut mark as stored.
    bool add(QList<HistoryEntry> &entries, const Limits &limits);
    // The id, or 0 when it failed.
    qint64 add(HistoryEntry &entry, const Limits &limits);

    using Cancelled = std::function<bool()>;
    // Up to count entries older than beforeId (0: from the newest), newest
    // first, without their bytes. Each blank-separated word of query must occur
    // in the host, port, label, result, or the decoded request or response.
    QList<HistoryEntry> list(const QString &query, qint64 beforeId, int count, const Cancelled &cancelled = {});
    // The entry with its bytes; nullopt when it is gone or on a fault.
    std::optional<HistoryEntry> load(qint64 id);
    struct Preview
    {
        QString request, response;
        bool requestCut = false, responseCut = false;
    };
    // The start of the decoded request and response, at most chars characters each.
    std::optional<Preview> preview(qint64 id, int chars);
    bool remove(const QList<qint64> &ids);
    bool clear();
    int count();

private:
    struct Error;
    bool ensureOpen();
    void openFile();
    void migrate(int from);
    void close();
    void moveAside(bool notDatabase);
    template<typename F>
    auto guarded(F &&body) -> decltype(body());
    void exec(QSqlQuery &q);
    void exec(const QString &sql);
    QSqlQuery prepared(const QString &sql);
    void insert(HistoryEntry &e, const Limits &limits);
    void applyLimits(const Limits &limits);
    void deleteUpTo(qint64 id);
    QList<HistoryEntry> listMatching(const QStringList &words, qint64 beforeId, int count, const Cancelled &cancelled);
    void fail(HistoryFault::Kind kind, const QString &text);

    QString m_path;
    QString m_connection;
    int m_busyTimeoutMs;
    bool m_open = false;
    bool m_trigram = false;
    bool m_readOnly = false;
    HistoryFault m_fault;
};
