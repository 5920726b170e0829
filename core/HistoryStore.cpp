#include "core/HistoryStore.h"

#include "core/HistoryLabel.h"
#include "core/Settings.h"
#include "core/TextCodec.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// SQLite's primary result codes, as Qt reports them in nativeErrorCode().
enum : int { Busy = 5, Locked = 6, ReadOnly = 8, IoErr = 10, Corrupt = 11, Full = 13, CantOpen = 14, NotADb = 26 };

constexpr qint64 BodyPiece = 1 << 20;

const QString EntryColumns = QStringLiteral(
    "e.id, e.started, e.host, e.port, e.tls, e.cert_sha256, e.encoding, e.outcome, e.failure_number,"
    " e.failure_text, e.timeout_s, e.t_resolved, e.t_connected, e.t_tls, e.t_sent, e.t_first_byte, e.t_end,"
    " e.request_bytes, e.response_bytes, e.header_bytes, e.body_bytes, e.status_line, e.label, e.cut");

HistoryEntry readEntry(const QSqlQuery &q)
{
    HistoryEntry e;
    int i = 0;
    const auto next = [&q, &i] { return q.value(i++); };
    e.id = next().toLongLong();
    e.startedMs = next().toLongLong();
    e.host = next().toString();
    e.port = next().toString();
    e.tls = next().toBool();
    e.certSha256 = next().toString();
    e.encoding = next().toString();
    e.outcome = HistoryEntry::Outcome(qBound(0, next().toInt(), 3));
    e.failureNumber = next().toInt();
    e.failureText = next().toString();
    e.timeoutSeconds = next().toInt();
    for (double *t : {&e.timings.resolved, &e.timings.connected, &e.timings.tlsDone, &e.timings.requestSent,
                      &e.timings.firstByte, &e.timings.end})
        *t = next().toDouble();
    e.requestBytes = next().toLongLong();
    e.responseBytes = next().toLongLong();
    e.headerBytes = next().toLongLong();
    e.bodyBytes = next().toLongLong();
    e.statusLine = next().toString();
    e.label = next().toString();
    e.cut = next().toBool();
    return e;
}

// The decoded start of a body, as search and preview read it. NUL, which
// SQLite's text functions would take for an end, shows as its control picture.
QString searchText(const QByteArray &bytes, const QString &encoding)
{
    StreamDecoder d(encoding);
    QString text = d.decode(QByteArrayView(bytes).first(qMin<qint64>(bytes.size(), HistoryStore::SearchBytes)));
    if (bytes.size() <= HistoryStore::SearchBytes)
        text += d.finish();
    text.replace(QChar(0), QChar(0x2400));
    return text;
}

// A LIKE pattern for a word anywhere, with its own wildcards taken literally.
QString likePattern(const QString &word)
{
    QString w = word;
    w.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    w.replace(QLatin1Char('%'), QLatin1String("\\%"));
    w.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + w + QLatin1Char('%');
}

// The trigram index finds words of three characters or more; a shorter one
// is looked for in the stored text itself ("+" keeps FTS5 from answering it,
// which it would with no rows).
QString likeCondition(int n)
{
    const QString p = QStringLiteral(":w%1").arg(n);
    return QStringLiteral(
               "(+s.meta LIKE %1 ESCAPE '\\' OR +s.request LIKE %1 ESCAPE '\\' OR +s.response LIKE %1 ESCAPE '\\')")
        .arg(p);
}

QString timestampForName()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace

struct HistoryStore::Error
{
    int code;
    QString text;
};

QString HistoryStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/wireProbeDesk/history.sqlite3");
}

HistoryStore::Limits HistoryStore::limitsFrom(const Settings::Section &settings)
{
    constexpr qint64 MiB = qint64(1) << 20;
    Limits l;
    l.maxEntries = settings.get(Settings::HistoryMaxEntries);
    l.maxBytes = settings.get(Settings::HistoryMaxMiB) * MiB;
    l.entryCap = settings.get(Settings::HistoryEntryCapMiB) * MiB;
    return l;
}

HistoryStore::HistoryStore(const QString &path, int busyTimeoutMs)
    : m_path(path),
      m_connection(QStringLiteral("wpd-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      m_busyTimeoutMs(busyTimeoutMs)
{}

HistoryStore::~HistoryStore()
{
    close();
}

void HistoryStore::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_open = false;
}

void HistoryStore::fail(HistoryFault::Kind kind, const QString &text)
{
    m_fault = HistoryFault{kind, text};
}

void HistoryStore::exec(QSqlQuery &q)
{
    if (!q.exec())
        throw Error{q.lastError().nativeErrorCode().toInt() & 0xff, q.lastError().text()};
}

void HistoryStore::exec(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql))
        throw Error{q.lastError().nativeErrorCode().toInt() & 0xff, q.lastError().text()};
}

QSqlQuery HistoryStore::prepared(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw Error{q.lastError().nativeErrorCode().toInt() & 0xff, q.lastError().text()};
    return q;
}

bool HistoryStore::ensureOpen()
{
    if (!m_open)
        openFile();
    return m_open;
}

void HistoryStore::openFile()
{
    // The folder and the file are the user's own: 0700 and 0600 when we make them.
    const QFileInfo info(m_path);
    const QString folder = info.absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            throw Error{CantOpen, QCoreApplication::translate("HistoryStore", "フォルダ %1 を作れません。").arg(folder)};
        ::chmod(QFile::encodeName(folder).constData(), 0700);
    }
    if (!info.exists()) {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
    }

    QSqlError openError;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
        if (!db.open())
            openError = db.lastError();
    }
    if (openError.isValid()) {
        close();
        throw Error{openError.nativeErrorCode().toInt() & 0xff, openError.text()};
    }
    m_open = true;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);

    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw Error{q.lastError().nativeErrorCode().toInt() & 0xff, q.lastError().text()};
    const int version = q.value(0).toInt();
    q.finish();
    if (version > SchemaVersion)
        throw Error{-1, QString()};
    if (version == 0) {
        // Both only take before the first table. Larger pages: fewer to write
        // and checksum for a large body, still small for a list's rows.
        exec(QStringLiteral("PRAGMA auto_vacuum = INCREMENTAL"));
        exec(QStringLiteral("PRAGMA page_size = 16384"));
    }
    // A read-only file keeps its journal mode: reading still works.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))
        && (q.lastError().nativeErrorCode().toInt() & 0xff) != ReadOnly)
        throw Error{q.lastError().nativeErrorCode().toInt() & 0xff, q.lastError().text()};
    q.finish();
    exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    // After a large entry the journal does not keep its size on disk.
    exec(QStringLiteral("PRAGMA journal_size_limit = %1").arg(64 << 20));
    if (version < SchemaVersion)
        migrate(version);

    QSqlQuery kind(db);
    m_trigram = kind.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'search'")) && kind.next()
                && kind.value(0).toString().contains(QLatin1String("fts5"), Qt::CaseInsensitive);
}

// Each step brings the schema from one version to the next, in a transaction.
void HistoryStore::migrate(int from)
{
    for (int version = from; version < SchemaVersion; ++version) {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            // Another writer may have done it meanwhile.
            QSqlQuery q(QSqlDatabase::database(m_connection, false));
            if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
                throw Error{q.lastError().nativeErrorCode().toInt() & 0xff, q.lastError().text()};
            if (q.value(0).toInt() > version) {
                q.finish();
                exec(QStringLiteral("COMMIT"));
                continue;
            }
            q.finish();
            if (version == 0) {
                // AUTOINCREMENT: an id is never given twice, so one named on a
                // command line never comes to mean another exchange.
                exec(QStringLiteral(
                    "CREATE TABLE entries (id INTEGER PRIMARY KEY AUTOINCREMENT, started INTEGER NOT NULL,"
                    " host TEXT NOT NULL, port TEXT NOT NULL, tls INTEGER NOT NULL, cert_sha256 TEXT NOT NULL,"
                    " encoding TEXT NOT NULL, outcome INTEGER NOT NULL, failure_number INTEGER NOT NULL,"
                    " failure_text TEXT NOT NULL, timeout_s INTEGER NOT NULL, t_resolved REAL, t_connected REAL,"
                    " t_tls REAL, t_sent REAL, t_first_byte REAL, t_end REAL, request_bytes INTEGER NOT NULL,"
                    " response_bytes INTEGER NOT NULL, header_bytes INTEGER NOT NULL, body_bytes INTEGER NOT NULL,"
                    " status_line TEXT NOT NULL, label TEXT NOT NULL, cut INTEGER NOT NULL, stored_bytes INTEGER NOT NULL)"));
                // Bodies in pieces: no record, and no allocation, of a whole
                // large response, and no limit from SQLite's largest BLOB.
                exec(QStringLiteral("CREATE TABLE bodies (id INTEGER NOT NULL, part INTEGER NOT NULL, seq INTEGER NOT NULL,"
                                    " data BLOB NOT NULL)"));
                exec(QStringLiteral("CREATE UNIQUE INDEX bodies_key ON bodies (id, part, seq)"));
                QSqlQuery fts(QSqlDatabase::database(m_connection, false));
                if (!fts.exec(QStringLiteral(
                        "CREATE VIRTUAL TABLE search USING fts5(meta, request, response, tokenize = 'trigram')")))
                    exec(QStringLiteral(
                        "CREATE TABLE search (id INTEGER PRIMARY KEY, meta TEXT, request TEXT, response TEXT)"));
            }
            exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1));
            exec(QStringLiteral("COMMIT"));
        } catch (...) {
            QSqlQuery(QSqlDatabase::database(m_connection, false)).exec(QStringLiteral("ROLLBACK"));
            throw;
        }
    }
}

void HistoryStore::moveAside(bool notDatabase)
{
    close();
    const QString stamp = timestampForName();
    QString target = m_path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".broken-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(m_path, target)) {
        fail(HistoryFault::Kind::CannotOpen,
             QCoreApplication::translate("HistoryStore",
                                         "履歴のファイル %1 は使えず、別の名前にもできません。履歴は記録されません。")
                 .arg(m_path));
        return;
    }
    // The journal files belong to the damaged file: they go with it.
    for (const char *suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), target + QLatin1String(suffix));
    fail(notDatabase ? HistoryFault::Kind::NotDatabase : HistoryFault::Kind::Corrupt,
         (notDatabase ? QCoreApplication::translate(
              "HistoryStore", "履歴のファイルはデータベースではありませんでした。%1 として残し、新しい履歴を始めました。")
                      : QCoreApplication::translate(
                          "HistoryStore", "履歴のファイルが壊れていました。%1 として残し、新しい履歴を始めました。"))
             .arg(QFileInfo(target).fileName()));
}

// Runs body on the open store. A damaged store is moved aside and body runs
// once more on a new one; any other failure becomes the fault.
template<typename F>
auto HistoryStore::guarded(F &&body) -> decltype(body())
{
    m_fault = HistoryFault();
    for (int attempt = 0;; ++attempt) {
        try {
            if (!ensureOpen())
                return {};
            return body();
        } catch (const Error &e) {
            if (m_open)
                QSqlQuery(QSqlDatabase::database(m_connection, false)).exec(QStringLiteral("ROLLBACK"));
            if ((e.code == Corrupt || e.code == NotADb) && attempt == 0) {
                moveAside(e.code == NotADb);
                if (m_fault.kind == HistoryFault::Kind::CannotOpen)
                    return {};
                continue;
            }
            const QString where = QDir::toNativeSeparators(m_path);
            switch (e.code) {
            case -1:
                close();
                fail(HistoryFault::Kind::Newer,
                     QCoreApplication::translate(
                         "HistoryStore",
                         "履歴のファイル %1 は新しい版のプログラムが作ったものです。履歴は記録も表示もしません。")
                         .arg(where));
                break;
            case Busy:
            case Locked:
                fail(HistoryFault::Kind::Locked,
                     QCoreApplication::translate(
                         "HistoryStore",
                         "履歴のファイルがほかのプログラムに長くロックされていたため、履歴を読み書きできませんでした。"));
                break;
            case Full:
            case IoErr:
                fail(HistoryFault::Kind::Full,
                     QCoreApplication::translate(
                         "HistoryStore", "ディスクがいっぱいか書き込めないため、履歴に記録できませんでした（%1）。")
                         .arg(e.text));
                break;
            case ReadOnly:
                fail(HistoryFault::Kind::ReadOnly,
                     QCoreApplication::translate("HistoryStore", "履歴のファイル %1 に書き込めません（読み取り専用）。")
                         .arg(where));
                break;
            case CantOpen:
                close();
                fail(HistoryFault::Kind::CannotOpen,
                     QCoreApplication::translate("HistoryStore", "履歴のファイル %1 を開けません（%2）。")
                         .arg(where, e.text));
                break;
            default:
                fail(HistoryFault::Kind::Other,
                     QCoreApplication::translate("HistoryStore", "履歴の操作に失敗しました（%1）。").arg(e.text));
                break;
            }
            return {};
        }
    }
}

qint64 HistoryStore::add(HistoryEntry &entry, const Limits &limits)
{
    QList<HistoryEntry> one{entry};
    if (!add(one, limits))
        return 0;
    entry = one.first();
    return entry.id;
}

bool HistoryStore::add(QList<HistoryEntry> &entries, const Limits &limits)
{
    return guarded([&] {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (HistoryEntry &e : entries)
            insert(e, limits);
        applyLimits(limits);
        exec(QStringLiteral("COMMIT"));
        // Gives the freed pages back to the file system.
        QSqlQuery(QSqlDatabase::database(m_connection, false)).exec(QStringLiteral("PRAGMA incremental_vacuum"));
        return true;
    });
}

void HistoryStore::insert(HistoryEntry &e, const Limits &limits)
{
    if (e.label.isEmpty())
        e.label = HistoryLabel::of(e.request, e.encoding);
    const qint64 cap = qMax<qint64>(0, limits.entryCap);
    // Cut by a view on the same bytes: the driver binds them without a copy.
    const QByteArray response = e.response.size() > cap ? QByteArray::fromRawData(e.response.constData(), cap)
                                                        : e.response;
    e.cut = e.cut || response.size() < e.response.size();
    const QString requestText = searchText(e.request, e.encoding);
    const QString responseText = searchText(response, e.encoding);
    const qint64 stored = e.request.size() + response.size() + qMin<qint64>(e.request.size(), SearchBytes)
                          + qMin<qint64>(response.size(), SearchBytes);

    QSqlQuery q = prepared(QStringLiteral(
        "INSERT INTO entries (started, host, port, tls, cert_sha256, encoding, outcome, failure_number, failure_text,"
        " timeout_s, t_resolved, t_connected, t_tls, t_sent, t_first_byte, t_end, request_bytes, response_bytes,"
        " header_bytes, body_bytes, status_line, label, cut, stored_bytes)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    // A null text would be bound as NULL.
    const auto text = [](const QString &s) { return QVariant(s.isNull() ? QString(QLatin1String("")) : s); };
    for (const QVariant &v : {QVariant(e.startedMs),
                              text(e.host),
                              text(e.port),
                              QVariant(int(e.tls)),
                              text(e.certSha256),
                              text(e.encoding),
                              QVariant(int(e.outcome)),
                              QVariant(e.failureNumber),
                              text(e.failureText),
                              QVariant(e.timeoutSeconds),
                              QVariant(e.timings.resolved),
                              QVariant(e.timings.connected),
                              QVariant(e.timings.tlsDone),
                              QVariant(e.timings.requestSent),
                              QVariant(e.timings.firstByte),
                              QVariant(e.timings.end),
                              QVariant(e.requestBytes),
                              QVariant(e.responseBytes),
                              QVariant(e.headerBytes),
                              QVariant(e.bodyBytes),
                              text(e.statusLine),
                              text(e.label),
                              QVariant(int(e.cut)),
                              QVariant(stored)})
        q.addBindValue(v);
    exec(q);
    const qint64 id = q.lastInsertId().toLongLong();
    e.id = id;

    QSqlQuery b = prepared(QStringLiteral("INSERT INTO bodies (id, part, seq, data) VALUES (?, ?, ?, ?)"));
    for (const auto &[part, bytes] : {std::pair{0, e.request}, std::pair{1, response}}) {
        for (qint64 at = 0, seq = 0; at < bytes.size(); at += BodyPiece, ++seq) {
            b.bindValue(0, id);
            b.bindValue(1, part);
            b.bindValue(2, seq);
            b.bindValue(3, QByteArray::fromRawData(bytes.constData() + at, qMin<qint64>(BodyPiece, bytes.size() - at)));
            exec(b);
        }
    }

    QSqlQuery s = prepared(QStringLiteral("INSERT INTO search (rowid, meta, request, response) VALUES (?, ?, ?, ?)"));
    s.addBindValue(id);
    s.addBindValue(QStringList{e.destination(), e.port, e.label, e.resultText()}.join(QLatin1Char(' ')));
    s.addBindValue(requestText);
    s.addBindValue(responseText);
    exec(s);
}

// The newest maxEntries and at most maxBytes stay; the newest entry always does.
void HistoryStore::applyLimits(const Limits &limits)
{
    QSqlQuery byCount = prepared(QStringLiteral("SELECT id FROM entries ORDER BY id DESC LIMIT 1 OFFSET ?"));
    byCount.addBindValue(qMax(1, limits.maxEntries));
    exec(byCount);
    if (byCount.next())
        deleteUpTo(byCount.value(0).toLongLong());
    byCount.finish();

    QSqlQuery byBytes = prepared(
        QStringLiteral("SELECT id FROM (SELECT id, SUM(stored_bytes) OVER (ORDER BY id DESC) AS total FROM entries)"
                       " WHERE total > ? AND id < (SELECT max(id) FROM entries) ORDER BY id DESC LIMIT 1"));
    byBytes.addBindValue(limits.maxBytes);
    exec(byBytes);
    if (byBytes.next())
        deleteUpTo(byBytes.value(0).toLongLong());
}

void HistoryStore::deleteUpTo(qint64 id)
{
    for (const char *sql : {"DELETE FROM entries WHERE id <= ?", "DELETE FROM bodies WHERE id <= ?",
                            "DELETE FROM search WHERE rowid <= ?"}) {
        QSqlQuery q = prepared(QString::fromLatin1(sql));
        q.addBindValue(id);
        exec(q);
    }
}

QList<HistoryEntry> HistoryStore::list(const QString &query, qint64 beforeId, int count, const Cancelled &cancelled)
{
    const QStringList words = query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    return guarded([&] {
        return listMatching(words, beforeId <= 0 ? std::numeric_limits<qint64>::max() : beforeId, count, cancelled);
    });
}

QList<HistoryEntry> HistoryStore::listMatching(const QStringList &words, qint64 beforeId, int count,
                                               const Cancelled &cancelled)
{
    QList<HistoryEntry> rows;
    const auto collect = [&rows](QSqlQuery &q) {
        while (q.next())
            rows << readEntry(q);
    };
    if (words.isEmpty()) {
        QSqlQuery q = prepared(
            QStringLiteral("SELECT %1 FROM entries e WHERE e.id < ? ORDER BY e.id DESC LIMIT ?").arg(EntryColumns));
        q.addBindValue(beforeId);
        q.addBindValue(count);
        exec(q);
        collect(q);
        return rows;
    }

    QStringList phrases, conditions;
    QList<int> shortWords;
    for (int i = 0; i < words.size(); ++i) {
        if (m_trigram && words[i].size() >= 3) {
            QString w = words[i];
            phrases << QLatin1Char('"') + w.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
        } else {
            conditions << likeCondition(i);
            shortWords << i;
        }
    }
    const QString from = QStringLiteral("SELECT %1 FROM search s JOIN entries e ON e.id = s.rowid WHERE ").arg(EntryColumns);
    const auto bindWords = [&](QSqlQuery &q) {
        for (int i : shortWords)
            q.bindValue(QStringLiteral(":w%1").arg(i), likePattern(words[i]));
    };
    if (!phrases.isEmpty()) {
        // The index finds the rows; any short words are checked on those alone.
        conditions.prepend(QStringLiteral("s.search MATCH :match AND s.rowid < :before"));
        QSqlQuery q = prepared(from + conditions.join(QStringLiteral(" AND "))
                               + QStringLiteral(" ORDER BY s.rowid DESC LIMIT :count"));
        q.bindValue(QStringLiteral(":match"), phrases.join(QStringLiteral(" AND ")));
        q.bindValue(QStringLiteral(":before"), beforeId);
        q.bindValue(QStringLiteral(":count"), count);
        bindWords(q);
        exec(q);
        collect(q);
        return rows;
    }

    // A scan, in windows of ids sized to take about 40 ms each, so that a
    // caller can give up between them.
    QSqlQuery lowest = prepared(QStringLiteral("SELECT min(id), max(id) FROM entries"));
    exec(lowest);
    if (!lowest.next() || lowest.value(0).isNull())
        return rows;
    const qint64 minId = lowest.value(0).toLongLong();
    qint64 hi = qMin(beforeId, lowest.value(1).toLongLong() + 1);
    lowest.finish();
    QSqlQuery q = prepared(from + QStringLiteral("s.rowid < :hi AND s.rowid >= :lo AND ")
                           + conditions.join(QStringLiteral(" AND "))
                           + QStringLiteral(" ORDER BY s.rowid DESC LIMIT :count"));
    qint64 span = 256;
    while (hi > minId && rows.size() < count) {
        if (cancelled && cancelled())
            return {};
        QElapsedTimer t;
        t.start();
        q.bindValue(QStringLiteral(":hi"), hi);
        q.bindValue(QStringLiteral(":lo"), hi - span);
        q.bindValue(QStringLiteral(":count"), count - rows.size());
        bindWords(q);
        exec(q);
        collect(q);
        hi -= span;
        span = qBound<qint64>(16, span * 40 / qMax<qint64>(1, t.elapsed()), qint64(1) << 20);
    }
    return rows;
}

std::optional<HistoryEntry> HistoryStore::load(qint64 id)
{
    return guarded([&]() -> std::optional<HistoryEntry> {
        QSqlQuery q = prepared(QStringLiteral("SELECT %1 FROM entries e WHERE e.id = ?").arg(EntryColumns));
        q.addBindValue(id);
        exec(q);
        if (!q.next())
            return std::nullopt;
        HistoryEntry e = readEntry(q);
        q.finish();
        // Each body sized once, then filled piece by piece.
        QSqlQuery sizes = prepared(
            QStringLiteral("SELECT part, sum(length(data)) FROM bodies WHERE id = ? GROUP BY part"));
        sizes.addBindValue(id);
        exec(sizes);
        while (sizes.next())
            (sizes.value(0).toInt() == 0 ? e.request : e.response).reserve(sizes.value(1).toLongLong());
        sizes.finish();
        QSqlQuery pieces = prepared(QStringLiteral("SELECT part, data FROM bodies WHERE id = ? ORDER BY part, seq"));
        pieces.addBindValue(id);
        exec(pieces);
        while (pieces.next())
            (pieces.value(0).toInt() == 0 ? e.request : e.response) += pieces.value(1).toByteArray();
        return e;
    });
}

std::optional<HistoryStore::Preview> HistoryStore::preview(qint64 id, int chars)
{
    return guarded([&]() -> std::optional<Preview> {
        QSqlQuery q = prepared(QStringLiteral("SELECT substr(request, 1, ?), length(request) > ?, substr(response, 1, ?),"
                                              " length(response) > ? FROM search WHERE rowid = ?"));
        for (int i = 0; i < 4; ++i)
            q.addBindValue(chars);
        q.addBindValue(id);
        exec(q);
        if (!q.next())
            return std::nullopt;
        return Preview{q.value(0).toString(), q.value(2).toString(), q.value(1).toBool(), q.value(3).toBool()};
    });
}

bool HistoryStore::remove(const QList<qint64> &ids)
{
    return guarded([&] {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (const char *sql : {"DELETE FROM entries WHERE id = ?", "DELETE FROM bodies WHERE id = ?",
                                "DELETE FROM search WHERE rowid = ?"}) {
            QSqlQuery q = prepared(QString::fromLatin1(sql));
            for (qint64 id : ids) {
                q.addBindValue(id);
                exec(q);
            }
        }
        exec(QStringLiteral("COMMIT"));
        QSqlQuery(QSqlDatabase::database(m_connection, false)).exec(QStringLiteral("PRAGMA incremental_vacuum"));
        return true;
    });
}

bool HistoryStore::clear()
{
    return guarded([&] {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        exec(QStringLiteral("DELETE FROM entries"));
        exec(QStringLiteral("DELETE FROM bodies"));
        exec(QStringLiteral("DELETE FROM search"));
        exec(QStringLiteral("COMMIT"));
        QSqlQuery(QSqlDatabase::database(m_connection, false)).exec(QStringLiteral("PRAGMA incremental_vacuum"));
        return true;
    });
}

int HistoryStore::count()
{
    return guarded([&] {
        QSqlQuery q = prepared(QStringLiteral("SELECT count(*) FROM entries"));
        exec(q);
        return q.next() ? q.value(0).toInt() : 0;
    });
}
