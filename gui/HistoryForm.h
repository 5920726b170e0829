#pragma once

#include "core/HistoryEntry.h"
#include "core/Settings.h"

#include <QTimer>
#include <QWidget>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class HistoryListModel;
class HistoryService;
class MessageBox;

// The history window: the recorded exchanges, a search over them, a preview
// of the selected one and what can be done with it. A window of its own, not
// a child of the main window, so it answers while that one is busy. What
// needs the main window (open, re-send, compare, export) it asks for by
// signal, with the entry loaded whole.
class HistoryForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PreviewChars = 32 * 1024;

    HistoryForm(HistoryService *service, MessageBox *box);

    void restore(const Settings::Section &settings);
    void save(Settings::Section &settings) const;
    void showOver(QWidget *owner);
    // 「履歴を記録する」
    bool recording() const;
    // Open and re-send wait while an exchange runs.
    void setExchangeRunning(bool running);
    HistoryListModel *model() const { return m_model; }

signals:
    void openRequested(const HistoryEntry &entry);
    void resendRequested(const HistoryEntry &entry);
    // Without right: with the response in the main window.
    void compareRequested(const HistoryEntry &left, const std::optional<HistoryEntry> &right);
    void exportRequested(const HistoryEntry &entry);

private slots:
    void searchNow();
    void showSelection();
    void openSelected();
    void resendSelected();
    void compareSelected();
    void exportSelected();
    void deleteSelected();
    void clearAll();
    void showFault(const QString &text);

private:
    enum class Action { Open, Resend, Compare, Export };
    QList<qint64> selectedIds() const;
    void load(Action action, const QList<qint64> &ids);
    void takeLoaded(int ticket, const std::optional<HistoryEntry> &entry);
    void showCount();
    void updateButtons();

    HistoryService *m_service;
    MessageBox *m_box;
    HistoryListModel *m_model;
    QLineEdit *m_searchTxt;
    QCheckBox *m_recordChk;
    QLabel *m_faultLbl;
    QTableView *m_list;
    QPlainTextEdit *m_requestPreview;
    QPlainTextEdit *m_responsePreview;
    QPushButton *m_openCmd, *m_resendCmd, *m_compareCmd, *m_exportCmd, *m_deleteCmd, *m_clearCmd;
    QLabel *m_statusBar;
    QTimer m_searchDelay;
    bool m_running = false;
    bool m_placed = false;
    int m_previewTicket = 0;
    qint64 m_keepSelected = 0; // re-selected when a new list arrives
    // Entries being loaded for an action, in the order the action wants them.
    struct Pending
    {
        Action action;
        QList<int> tickets;
        QList<HistoryEntry> entries;
    };
    std::optional<Pending> m_pending;
};
