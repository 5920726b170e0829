#pragma once

#include "core/ContentLength.h"
#include "core/HistoryEntry.h"
#include "core/Settings.h"
#include "core/TextCodec.h"
#include "gui/DetailsForm.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class CommonDialog;
class CompareForm;
class ElidedLabel;
class FindBar;
class ResponseFind;
class TextPaneFind;
class ExchangeEngine;
class HistoryForm;
class HistoryService;
class MessageBox;
class NoticeBar;
class RawTextPane;
class ResponseView;
class SplitterHandle;
class SummaryLine;
struct Failure;

// The one window: a view over the exchange engine. It turns its controls into
// what the engine needs and shows what the engine reports.
class wireProbeDeskForm : public QWidget
{
    Q_OBJECT
public:
    // The store and the box must outlive the window; the window owns the dialog.
    // historyPath: the history store's file; empty for the user's own.
    wireProbeDeskForm(SettingsStore *store, MessageBox *box, std::unique_ptr<CommonDialog> dialog,
                      const QString &historyPath = QString(), QWidget *parent = nullptr);
    ~wireProbeDeskForm() override;

    // The title and the values remembered from the last run.
    void restoreSettings();

    ExchangeEngine &engine() { return *m_engine; }
    // A command runs: the controls take no input (Stop aside).
    bool isBusy() const { return m_busy; }
    DetailsForm &details() { return *m_details; }
    HistoryForm &history() { return *m_history; }
    CompareForm &comparison() { return *m_compare; }
    // Takes into the response pane whatever of the response it has not shown yet.
    void showWholeResponse();
    static QString StripPath(const QString &rsFileName);

    // Outer width and client height in twips, as the layout reads them.
    float outerWidthTwips() const;
    float clientHeightTwips() const;
    // Lays the panes out for a split position x (twips).
    void sizeControls(float x);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void sendRequest();
    void showRequestSent();
    void showCompletion();
    void showTimeOut(int seconds);
    void showFailure(qint32 number, const QString &description);
    void stopExchange();
    void showStopped();
    void showSummary();
    void showOptionsSummary();
    void openDetailsAt(DetailsForm::Page page);

    void openRequest();
    void saveRequest();
    void pasteRequest();
    void clearRequest();
    void saveResponse();
    void showDetails();
    void showHistory();
    void openFromHistory(const HistoryEntry &entry);
    void resendFromHistory(const HistoryEntry &entry);
    void exportFromHistory(const HistoryEntry &entry);
    void compareFromHistory(const HistoryEntry &left, const std::optional<HistoryEntry> &right);
    void reshowResponse();
    void fixContentLength();
    void countRequest();

    void showSelectionLength();
    void startSplitterDrag();
    void moveSplitterDrag(float x);
    void endSplitterDrag();

private:
    void composeControls();
    void wireEvents();
    void addShortcuts();
    void setStatus(const QString &text);
    // The busy state: every control but Stop (shown when stoppable) takes no
    // input; the window itself stays enabled, so Stop and boxes work.
    void enterBusy(bool stoppable);
    // Disabling the controls took the focus away; it goes back to the control
    // that started the command, so the keyboard works again.
    void leaveBusy(QWidget *focusTo);
    // The status text, cut on one line, and the summary at its right end.
    void layOutStatusRow();
    // Stop, and the summary's progress, follow the engine. known: not the
    // empty state a Send starts from.
    void followOutcome(bool running, bool known);
    // Notices with a fix, for what the request or the response shows.
    enum class RequestMoment { Loaded, Sent };
    // The text is the pane's raw text, passed in by callers that already hold it.
    void checkRequest(RequestMoment when, const QString &text);
    void checkResponse();
    void alignLineEnds();
    // What the Content-Length fix would do to this request text.
    ContentLength::Result contentLengthFix(const QString &text) const;
    void showError(const QString &text);
    void reportFailure(const Failure &f);
    void reportFileFailure(const Failure &f);
    // Hands the exchange that has just ended to the history, once.
    void recordExchange(HistoryEntry::Outcome outcome, qint32 number = 0, const QString &description = QString());
    void composeHistory(const QString &historyPath);
    void restoreHistorySettings();
    void saveHistorySettings();
    void layOutWindow();
    void recordHistory(QComboBox *box);
    QString encoding() const;
    TextCodec::EncodeOptions encodeOptions() const;
    // Selects the character at index at of the request's text, as failure 104 names it.
    void selectRequestCharacter(qsizetype at);

    QString dialogFolder(const Settings::Setting<QString> &setting) const;
    void rememberFolder(const Settings::Setting<QString> &setting, const QString &fileName);
    void applyStoredGeometry();
    void settleOuterSize();
    void saveSettings();

    Settings::Section m_settings;
    MessageBox *m_box;
    std::unique_ptr<CommonDialog> m_dialog;
    ExchangeEngine *m_engine = nullptr;
    std::unique_ptr<DetailsForm> m_details;
    FindBar *m_findBar = nullptr;
    TextPaneFind *m_requestFind = nullptr;
    ResponseFind *m_responseFind = nullptr;
    std::unique_ptr<HistoryService> m_historyService; // before the windows over it
    std::unique_ptr<HistoryForm> m_history;
    std::unique_ptr<CompareForm> m_compare;
    bool m_recordPending = false; // the running exchange is to be recorded when it ends
    QString m_sentPort;           // as typed, for the record
    QString m_sentEncoding;

    QPushButton *m_sendCmd = nullptr;
    QPushButton *m_openCmd = nullptr;
    QPushButton *m_clearCmd = nullptr;
    QPushButton *m_pasteCmd = nullptr;
    QPushButton *m_detailsCmd = nullptr;
    QPushButton *m_historyCmd = nullptr;
    QPushButton *m_saveCmd = nullptr;
    QPushButton *m_exitCmd = nullptr;
    QGroupBox *m_connectFrm = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_addressCmb = nullptr;
    QComboBox *m_portCmb = nullptr;
    QSlider *m_timeOutSlider = nullptr;
    QGroupBox *m_requestFrm = nullptr;
    RawTextPane *m_requestTxt = nullptr;
    QGroupBox *m_responseFrm = nullptr;
    ResponseView *m_responseTxt = nullptr;
    QWidget *m_picSplitter = nullptr;
    SplitterHandle *m_imgSplitter = nullptr;
    ElidedLabel *m_statusBar = nullptr;
    SummaryLine *m_summaryLbl = nullptr;
    QPushButton *m_stopCmd = nullptr;
    QPushButton *m_revertResponseCmd = nullptr;
    NoticeBar *m_noticeBar = nullptr;
    QTimer m_summaryTimer;
    QList<QPointer<QWidget>> m_disabledWhileBusy;
    bool m_busy = false;
    QTimer m_selectionTimer;
    QTimer m_requestCount;

    bool m_splitterMoving = false;
    bool m_closed = false;
    QRectF m_storedOuter; // outer geometry from the last run, applied once the frame is known
    bool m_outerPending = false;
};
