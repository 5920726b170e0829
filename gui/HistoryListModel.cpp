#include "gui/HistoryListModel.h"

#include "core/HistoryService.h"

#include <QDateTime>
#include <QLocale>

#include <limits>

HistoryListModel::HistoryListModel(HistoryService *service, QObject *parent)
    : QAbstractTableModel(parent), m_service(service)
{
    connect(service, &HistoryService::fetched, this, &HistoryListModel::takePage);
    connect(service, &HistoryService::recorded, this, &HistoryListModel::takeRecorded);
    connect(service, &HistoryService::removed, this, &HistoryListModel::dropRemoved);
    connect(service, &HistoryService::cleared, this, [this] { setQuery(m_query); });
    setQuery(QString());
}

void HistoryListModel::setQuery(const QString &query)
{
    beginResetModel();
    m_query = query;
    m_rows.clear();
    m_ids.clear();
    m_atEnd = false;
    m_pending = m_service->fetch(m_query, 0, PageSize);
    endResetModel();
}

int HistoryListModel::rowOf(qint64 id) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == id)
            return i;
    return -1;
}

void HistoryListModel::takePage(int ticket, const QList<HistoryEntry> &rows, bool atEnd)
{
    if (ticket != m_pending)
        return;
    m_pending = 0;
    m_atEnd = atEnd;
    // A row recorded while the page was on its way may be in both.
    QList<HistoryEntry> fresh;
    for (const HistoryEntry &e : rows)
        if (!m_ids.contains(e.id))
            fresh << e;
    if (!fresh.isEmpty()) {
        const int first = int(m_rows.size()); // canFetchMore keeps the rows within int
        beginInsertRows(QModelIndex(), first, first + int(fresh.size()) - 1);
        for (const HistoryEntry &e : fresh)
            m_ids.insert(e.id);
        m_rows << fresh;
        endInsertRows();
    }
    emit pageArrived();
}

void HistoryListModel::takeRecorded(const HistoryEntry &entry)
{
    if (!m_query.isEmpty()) {
        // Whether it matches is the store's to say: the list is asked again.
        setQuery(m_query);
        return;
    }
    if (m_ids.contains(entry.id))
        return;
    beginInsertRows(QModelIndex(), 0, 0);
    m_ids.insert(entry.id);
    m_rows.prepend(entry);
    endInsertRows();
}

void HistoryListModel::dropRemoved(const QList<qint64> &ids)
{
    for (qint64 id : ids) {
        const int row = rowOf(id);
        if (row < 0)
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_ids.remove(id);
        m_rows.removeAt(row);
        endRemoveRows();
    }
}

int HistoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int HistoryListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool HistoryListModel::canFetchMore(const QModelIndex &parent) const
{
    // Qt's views count rows in int; a page more must still fit.
    return !parent.isValid() && !m_atEnd && m_pending == 0
           && m_rows.size() <= std::numeric_limits<int>::max() - 2 * PageSize;
}

void HistoryListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    m_pending = m_service->fetch(m_query, m_rows.isEmpty() ? 0 : m_rows.constLast().id, PageSize);
}

QVariant HistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Time:
        return tr("日時");
    case Destination:
        return tr("宛先");
    case Label:
        return tr("要求");
    case Result:
        return tr("結果");
    case ResponseSize:
        return tr("応答");
    case Duration:
        return tr("時間");
    }
    return QVariant();
}

QVariant HistoryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const HistoryEntry &e = m_rows[index.row()];
    if (role == Qt::TextAlignmentRole)
        return index.column() == ResponseSize || index.column() == Duration ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                            : QVariant();
    if (role == Qt::ToolTipRole && index.column() == ResponseSize && e.cut)
        return tr("応答は保存の上限までしか記録されていません。");
    if (role == Qt::ToolTipRole && index.column() == Destination && !e.certSha256.isEmpty())
        return tr("サーバ証明書の SHA-256: %1").arg(e.certSha256);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    const QLocale c = QLocale::c();
    switch (index.column()) {
    case Time:
        return QDateTime::fromMSecsSinceEpoch(e.startedMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Destination:
        return e.tls ? e.destination() + QStringLiteral(" [TLS]") : e.destination();
    case Label:
        return e.label;
    case Result:
        return e.resultText();
    case ResponseSize:
        return e.cut ? tr("%1（切り詰め）").arg(c.toString(e.responseBytes)) : c.toString(e.responseBytes);
    case Duration:
        return e.timings.end < 0 ? QStringLiteral("—") : c.toString(e.timings.end, 'f', 1);
    }
    return QVariant();
}
