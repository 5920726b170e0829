#pragma once

#include "core/HistoryEntry.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

class HistoryService;

// The history as a table, newest first, fetched a page at a time as the view
// scrolls, bodies never. A query keeps the entries whose host, port, label,
// result, request or response holds each of its words.
class HistoryListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Time, Destination, Label, Result, ResponseSize, Duration, ColumnCount };
    static constexpr int PageSize = 200;

    explicit HistoryListModel(HistoryService *service, QObject *parent = nullptr);

    void setQuery(const QString &query);
    const QString &query() const { return m_query; }
    // Whether a page is on its way.
    bool isFetching() const { return m_pending != 0; }
    const HistoryEntry &entry(int row) const { return m_rows.at(row); }
    int rowOf(qint64 id) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    // A fetch was answered: the first page of a query, or a later one.
    void pageArrived();

private:
    void takePage(int ticket, const QList<HistoryEntry> &rows, bool atEnd);
    void takeRecorded(const HistoryEntry &entry);
    void dropRemoved(const QList<qint64> &ids);

    HistoryService *m_service;
    QString m_query;
    QList<HistoryEntry> m_rows;
    QSet<qint64> m_ids;
    int m_pending = 0; // the ticket of the page on its way
    bool m_atEnd = false;
};
