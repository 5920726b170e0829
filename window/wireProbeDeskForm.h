#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class CommonDialog;
class MessageBox;
class RawTextPane;
class SettingsStore;
class SplitterHandle;
class Winsock;
struct Failure;

// The one window. Its handlers hold all of the program's logic and are spread
// over the subsystem folders: exchange/, window/, files/ and app/.
class wireProbeDeskForm : public QWidget
{
    Q_OBJECT
public:
    // The store and the box must outlive the window; the window owns the dialog.
    wireProbeDeskForm(SettingsStore *store, MessageBox *box, std::unique_ptr<CommonDialog> dialog,
                      QWidget *parent = nullptr);
    ~wireProbeDeskForm() override;

    // Load steps: title and the values remembered from the last run.
    void Form_Load();

    // Controls (object names as the user-facing names; public for tests and the bench).
    QPushButton *sendCmd;
    QPushButton *openCmd;
    QPushButton *clearCmd;
    QPushButton *pasteCmd;
    QPushButton *saveCmd;
    QPushButton *exitCmd;
    QGroupBox *connectFrm;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QComboBox *addressCmb;
    QComboBox *portCmb;
    QSlider *TimeOutSlider;
    QGroupBox *requestFrm;
    RawTextPane *requestTxt;
    QGroupBox *responseFrm;
    RawTextPane *responseTxt;
    QWidget *picSplitter;
    SplitterHandle *imgSplitter;
    QLabel *statusBar;
    Winsock *winsock;
    QTimer TimerWinsock;
    QTimer TimerWinsockClose;
    QTimer Timer;

    CommonDialog &commonDialog() { return *m_dialog; }
    bool splitterMoving() const { return m_splitterMoving; }
    static QString StripPath(const QString &rsFileName);
    // Outer width and client height in twips, as the layout reads them.
    float outerWidthTwips() const;
    float clientHeightTwips() const;

    // Handlers, public so that tests can drive them as the event loop would.
    void sendCmd_Click();
    void Winsock_Connect();
    void Winsock_SendComplete();
    void Winsock_DataArrival(qint32 bytesTotal);
    void Winsock_Error(qint16 number, const QString &description);
    void TimerWinsock_Timer();
    void TimerWinsockClose_Timer();

    void Form_Resize();
    void SizeControls(float x);
    void imgSplitter_MouseDown(float x);
    void imgSplitter_MouseMove(float x);
    void imgSplitter_MouseUp(float x);

    void addressCmb_GotFocus();
    void portCmb_GotFocus();
    void responseTxt_GotFocus();
    void TimeOutSlider_GotFocus();
    void requestTxt_GotFocus();
    void requestTxt_LostFocus();
    void Timer_Timer();
    void clearCmd_Click();
    void exitCmd_Click();

    void openCmd_Click();
    void pasteCmd_Click();
    void saveCmd_Click();

    void Form_Unload();

protected:
    void resizeEvent(QResizeEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void composeControls();
    void wireEvents();
    void setStatus(const QString &text);
    // Leaves the busy state. Disabling the window took the focus away; it goes
    // back to the control that started the command, so the keyboard works again.
    void leaveBusy(QWidget *focusTo);
    void showError(const QString &text);
    // Every end of an exchange: what has arrived goes into the pane, both
    // timers stop and the socket closes, before anything is reported.
    void endExchange();
    void reportFileFailure(const Failure &f);
    QString readSetting(const QString &key, const QString &defaultValue) const;
    void writeSetting(const QString &key, const QString &value);
    QString programFolder() const;
    void applyStoredGeometry();
    void settleOuterSize();

    SettingsStore *m_store;
    MessageBox *m_box;
    std::unique_ptr<CommonDialog> m_dialog;
    bool m_splitterMoving = false;
    bool m_unloaded = false;
    QRectF m_storedOuter;    // outer geometry from the last run, applied once the frame is known
    bool m_outerPending = false;
};
