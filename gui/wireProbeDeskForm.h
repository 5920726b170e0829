#pragma once

#include "core/Settings.h"

#include <QTimer>
#include <QWidget>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class CommonDialog;
class DetailsForm;
class ExchangeEngine;
class MessageBox;
class RawTextPane;
class ResponseView;
class SplitterHandle;
struct Failure;

// The one window: a view over the exchange engine. It turns its controls into
// what the engine needs and shows what the engine reports.
class wireProbeDeskForm : public QWidget
{
    Q_OBJECT
public:
    // The store and the box must outlive the window; the window owns the dialog.
    wireProbeDeskForm(SettingsStore *store, MessageBox *box, std::unique_ptr<CommonDialog> dialog,
                      QWidget *parent = nullptr);
    ~wireProbeDeskForm() override;

    // The title and the values remembered from the last run.
    void restoreSettings();

    ExchangeEngine &engine() { return *m_engine; }
    DetailsForm &details() { return *m_details; }
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void sendRequest();
    void showRequestSent();
    void showCompletion();
    void showTimeOut(int seconds);
    void showFailure(qint32 number, const QString &description);

    void openRequest();
    void pasteRequest();
    void clearRequest();
    void saveResponse();
    void showDetails();
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
    // Disabling the window took the focus away; it goes back to the control
    // that started the command, so the keyboard works again.
    void leaveBusy(QWidget *focusTo);
    void showError(const QString &text);
    void reportFailure(const Failure &f);
    void reportFileFailure(const Failure &f);
    void layOutWindow();
    void recordHistory(QComboBox *box);
    QString encoding() const;

    QString dialogFolder(const Settings::Setting<QString> &folder) const;
    void rememberFolder(const Settings::Setting<QString> &folder, const QString &fileName);
    void applyStoredGeometry();
    void settleOuterSize();
    void saveSettings();

    Settings::Section m_settings;
    MessageBox *m_box;
    std::unique_ptr<CommonDialog> m_dialog;
    ExchangeEngine *m_engine = nullptr;
    std::unique_ptr<DetailsForm> m_details;

    QPushButton *m_sendCmd = nullptr;
    QPushButton *m_openCmd = nullptr;
    QPushButton *m_clearCmd = nullptr;
    QPushButton *m_pasteCmd = nullptr;
    QPushButton *m_detailsCmd = nullptr;
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
    QLabel *m_statusBar = nullptr;
    QTimer m_selectionTimer;
    QTimer m_requestCount;

    bool m_splitterMoving = false;
    bool m_closed = false;
    QRectF m_storedOuter; // outer geometry from the last run, applied once the frame is known
    bool m_outerPending = false;
};
