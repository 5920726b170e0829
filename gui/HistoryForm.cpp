#include "gui/HistoryForm.h"

#include "core/HistoryService.h"
#include "gui/HistoryListModel.h"
#include "gui/MessageBox.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setAutoDefault(true);
    return b;
}

QPlainTextEdit *preview(const char *name)
{
    auto *p = new QPlainTextEdit;
    p->setObjectName(QString::fromLatin1(name));
    p->setReadOnly(true);
    p->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    p->document()->setUndoRedoEnabled(false);
    return p;
}

QWidget *framed(const QString &title, QWidget *inside)
{
    auto *box = new QGroupBox(title);
    auto *l = new QVBoxLayout(box);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(inside);
    return box;
}

} // namespace

HistoryForm::HistoryForm(HistoryService *service, MessageBox *box) : m_service(service), m_box(box)
{
    setObjectName(QStringLiteral("historyForm"));
    setWindowTitle(tr("履歴 - wireProbeDesk"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/wireprobedesk.png")));

    m_searchTxt = new QLineEdit(this);
    m_searchTxt->setObjectName(QStringLiteral("historySearchTxt"));
    m_searchTxt->setPlaceholderText(tr("検索（要求と応答の本文、宛先、要求名、結果）  Ctrl+F"));
    m_searchTxt->setClearButtonEnabled(true);
    m_recordChk = new QCheckBox(tr("履歴を記録する"), this);
    m_recordChk->setObjectName(QStringLiteral("historyRecordChk"));
    m_recordChk->setChecked(true);
    m_recordChk->setToolTip(tr("オフにすると、これからのやり取りを履歴に残しません。"));
    m_faultLbl = new QLabel(this);
    m_faultLbl->setObjectName(QStringLiteral("historyFaultLbl"));
    m_faultLbl->setWordWrap(true);
    m_faultLbl->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    m_faultLbl->hide();

    m_model = new HistoryListModel(service, this);
    m_list = new QTableView;
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured over all rows.
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    const int w = m_list->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (auto [column, chars] : {std::pair{HistoryListModel::Time, 19},
                                 {HistoryListModel::Destination, 21},
                                 {HistoryListModel::Label, 24},
                                 {HistoryListModel::Result, 22},
                                 {HistoryListModel::ResponseSize, 12},
                                 {HistoryListModel::Duration, 8}})
        m_list->setColumnWidth(column, chars * w);
    m_list->horizontalHeader()->setSectionResizeMode(HistoryListModel::Label, QHeaderView::Stretch);

    m_requestPreview = preview("historyRequestPreview");
    m_responsePreview = preview("historyResponsePreview");
    auto *previews = new QSplitter(Qt::Horizontal);
    previews->addWidget(framed(tr("要求"), m_requestPreview));
    previews->addWidget(framed(tr("応答"), m_responsePreview));
    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(m_list);
    split->addWidget(previews);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    m_openCmd = button(this, "historyOpenCmd", tr("開く"), tr("要求と応答を記録どおりにメインウィンドウに表示します。"));
    m_resendCmd = button(this, "historyResendCmd", tr("再送信"), tr("要求を記録どおりに表示し、すぐ送信します。"));
    m_compareCmd = button(this, "historyCompareCmd", tr("比較"),
                          tr("選んだ二つの応答を、一つだけ選んだときはその応答と応答メッセージを並べて比べます。"));
    m_exportCmd = button(this, "historyExportCmd", tr("ファイルに書き出す"),
                         tr("要求と応答を記録どおりのバイト列で二つのファイルに書き出します。"));
    m_deleteCmd = button(this, "historyDeleteCmd", tr("削除"), tr("選んだ履歴を削除します。"));
    m_clearCmd = button(this, "historyClearCmd", tr("履歴をすべて削除"), tr("すべての履歴を削除します。"));
    m_statusBar = new QLabel(this);
    m_statusBar->setObjectName(QStringLiteral("historyStatusBar"));
    m_statusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusBar->setTextFormat(Qt::PlainText);

    auto *top = new QHBoxLayout;
    top->addWidget(m_searchTxt, 1);
    top->addWidget(m_recordChk);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_openCmd, m_resendCmd, m_compareCmd, m_exportCmd, m_deleteCmd})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_clearCmd);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_faultLbl);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_statusBar);
    resize(920, 600);

    m_searchDelay.setSingleShot(true);
    m_searchDelay.setInterval(60); // typing quickly asks once
    connect(m_searchTxt, &QLineEdit::textChanged, &m_searchDelay, qOverload<>(&QTimer::start));
    connect(&m_searchDelay, &QTimer::timeout, this, &HistoryForm::searchNow);
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_searchTxt->setFocus(Qt::ShortcutFocusReason);
        m_searchTxt->selectAll();
    });
    auto *del = new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, &HistoryForm::deleteSelected);
    connect(m_list, &QTableView::activated, this, &HistoryForm::openSelected);

    connect(m_openCmd, &QPushButton::clicked, this, &HistoryForm::openSelected);
    connect(m_resendCmd, &QPushButton::clicked, this, &HistoryForm::resendSelected);
    connect(m_compareCmd, &QPushButton::clicked, this, &HistoryForm::compareSelected);
    connect(m_exportCmd, &QPushButton::clicked, this, &HistoryForm::exportSelected);
    connect(m_deleteCmd, &QPushButton::clicked, this, &HistoryForm::deleteSelected);
    connect(m_clearCmd, &QPushButton::clicked, this, &HistoryForm::clearAll);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &HistoryForm::showSelection);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QList<qint64> ids = selectedIds();
        m_keepSelected = ids.isEmpty() ? 0 : ids.first();
    });
    connect(m_model, &HistoryListModel::pageArrived, this, [this] {
        const int row = m_keepSelected ? m_model->rowOf(m_keepSelected) : -1;
        if (row >= 0 && selectedIds().isEmpty())
            m_list->selectRow(row);
        showCount();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &HistoryForm::showCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &HistoryForm::showCount);
    connect(service, &HistoryService::loaded, this, &HistoryForm::takeLoaded);
    connect(service, &HistoryService::previewed, this, [this](int ticket, const std::optional<HistoryStore::Preview> &p) {
        if (ticket != m_previewTicket)
            return;
        const QString more = QLatin1Char('\n') + tr("…（先頭の %1 文字を表示しています）").arg(PreviewChars);
        m_requestPreview->setPlainText(p ? p->request + (p->requestCut ? more : QString()) : QString());
        m_responsePreview->setPlainText(p ? p->response + (p->responseCut ? more : QString()) : QString());
    });
    connect(service, &HistoryService::fault, this, &HistoryForm::showFault);
    updateButtons();
}

void HistoryForm::restore(const Settings::Section &settings)
{
    m_recordChk->setChecked(settings.get(Settings::HistoryRecord));
    int v[4];
    const Settings::Setting<std::optional<int>> *keys[] = {&Settings::HistoryLeft, &Settings::HistoryTop,
                                                           &Settings::HistoryWidth, &Settings::HistoryHeight};
    for (int i = 0; i < 4; ++i) {
        const std::optional<int> value = settings.get(*keys[i]);
        if (!value || qAbs(*value) >= 100000)
            return;
        v[i] = *value;
    }
    // Within the screen it lands on: a size no screen can show is none.
    QRect r(v[0], v[1], qMax(320, v[2]), qMax(240, v[3]));
    if (const QScreen *s = screen()) {
        const QRect avail = s->availableGeometry();
        r.setSize(r.size().boundedTo(avail.size()));
    }
    resize(r.size());
    move(r.topLeft());
    m_placed = true;
}

void HistoryForm::save(Settings::Section &settings) const
{
    settings.put(Settings::HistoryRecord, recording());
    if (!m_placed)
        return;
    settings.put(Settings::HistoryLeft, pos().x());
    settings.put(Settings::HistoryTop, pos().y());
    settings.put(Settings::HistoryWidth, width());
    settings.put(Settings::HistoryHeight, height());
}

void HistoryForm::showOver(QWidget *owner)
{
    if (!m_placed && owner) {
        // Below the main window's top edge, offset so both title bars show.
        QRect r(owner->frameGeometry().topLeft() + QPoint(40, 40), frameGeometry().size());
        if (const QScreen *screen = owner->screen()) {
            const QRect avail = screen->availableGeometry();
            r.moveRight(qMin(r.right(), avail.right()));
            r.moveBottom(qMin(r.bottom(), avail.bottom()));
            r.moveTopLeft(QPoint(qMax(r.left(), avail.left()), qMax(r.top(), avail.top())));
        }
        move(r.topLeft());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

bool HistoryForm::recording() const
{
    return m_recordChk->isChecked();
}

void HistoryForm::setExchangeRunning(bool running)
{
    m_running = running;
    updateButtons();
}

void HistoryForm::searchNow()
{
    m_searchDelay.stop();
    if (m_searchTxt->text() != m_model->query()) {
        m_statusBar->setText(tr("検索しています…"));
        m_model->setQuery(m_searchTxt->text());
    }
}

void HistoryForm::showCount()
{
    if (m_model->isFetching())
        return;
    const int n = m_model->rowCount();
    const QString more = m_model->canFetchMore(QModelIndex()) ? QStringLiteral("+") : QString();
    m_statusBar->setText(m_model->query().isEmpty() ? tr("%1%2 件").arg(n).arg(more)
                                                    : tr("%1%2 件が「%3」に一致").arg(n).arg(more).arg(m_model->query()));
}

QList<qint64> HistoryForm::selectedIds() const
{
    QList<qint64> ids;
    for (const QModelIndex &i : m_list->selectionModel()->selectedRows())
        ids << m_model->entry(i.row()).id;
    // Oldest first: the older response goes to the left of a comparison.
    std::sort(ids.begin(), ids.end());
    return ids;
}

void HistoryForm::updateButtons()
{
    const qsizetype n = m_list->selectionModel()->selectedRows().size();
    m_openCmd->setEnabled(n == 1 && !m_running);
    m_resendCmd->setEnabled(n == 1 && !m_running);
    // One entry compares with the response in the main window: not while it still grows.
    m_compareCmd->setEnabled(n == 2 || (n == 1 && !m_running));
    m_exportCmd->setEnabled(n == 1);
    m_deleteCmd->setEnabled(n >= 1);
}

void HistoryForm::showSelection()
{
    updateButtons();
    const QList<qint64> ids = selectedIds();
    if (ids.size() != 1) {
        m_previewTicket = 0;
        m_requestPreview->clear();
        m_responsePreview->clear();
        return;
    }
    m_previewTicket = m_service->preview(ids.first(), PreviewChars);
}

void HistoryForm::load(Action action, const QList<qint64> &ids)
{
    Pending p{action, {}, {}};
    for (qint64 id : ids)
        p.tickets << m_service->load(id);
    m_pending = p;
}

void HistoryForm::takeLoaded(int ticket, const std::optional<HistoryEntry> &entry)
{
    if (!m_pending || !m_pending->tickets.contains(ticket))
        return;
    if (!entry) {
        m_pending.reset();
        m_statusBar->setText(tr("この履歴は読み込めませんでした。"));
        return;
    }
    m_pending->entries << *entry;
    if (m_pending->entries.size() < m_pending->tickets.size())
        return;
    const Pending p = *m_pending;
    m_pending.reset();
    switch (p.action) {
    case Action::Open:
        emit openRequested(p.entries.first());
        break;
    case Action::Resend:
        emit resendRequested(p.entries.first());
        break;
    case Action::Compare:
        emit compareRequested(p.entries.first(),
                              p.entries.size() > 1 ? std::optional<HistoryEntry>(p.entries.last()) : std::nullopt);
        break;
    case Action::Export:
        emit exportRequested(p.entries.first());
        break;
    }
}

void HistoryForm::openSelected()
{
    if (m_openCmd->isEnabled())
        load(Action::Open, selectedIds());
}

void HistoryForm::resendSelected()
{
    if (m_resendCmd->isEnabled())
        load(Action::Resend, selectedIds());
}

void HistoryForm::compareSelected()
{
    if (m_compareCmd->isEnabled())
        load(Action::Compare, selectedIds());
}

void HistoryForm::exportSelected()
{
    if (m_exportCmd->isEnabled())
        load(Action::Export, selectedIds());
}

void HistoryForm::deleteSelected()
{
    const QList<qint64> ids = selectedIds();
    if (!ids.isEmpty())
        m_service->remove(ids);
}

void HistoryForm::clearAll()
{
    if (m_box->confirm(this, tr("すべての履歴を削除します。元に戻せません。よろしいですか？")))
        m_service->clear();
}

void HistoryForm::showFault(const QString &text)
{
    // Stays until the next fault: the time tells whether it is still news.
    m_faultLbl->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss  ")) + text);
    m_faultLbl->show();
    m_statusBar->setText(text);
}
