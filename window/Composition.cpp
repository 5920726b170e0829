#include "window/wireProbeDeskForm.h"

#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Winsock.h"
#include "window/RawTextPane.h"
#include "window/SplitterHandle.h"
#include "window/Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

QFont messageFont()
{
    // The design face first; where it is missing, a fixed-pitch face with
    // Japanese glyphs from fonts-noto-cjk.
    QFont f;
    f.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                   QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("monospace")});
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(9);
    f.setWeight(QFont::Normal);
    return f;
}

template<typename W>
W *make(QWidget *parent, const char *name, const QRectF &twips, const QString &tip = QString())
{
    auto *w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    if (!tip.isEmpty())
        w->setToolTip(tip);
    Twips::place(w, twips);
    return w;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                    const QRectF &twips)
{
    auto *b = make<QPushButton>(parent, name, twips, tip);
    b->setText(caption);
    b->setAutoDefault(false);
    return b;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const QRectF &twips)
{
    auto *f = make<QGroupBox>(parent, name, twips);
    f->setTitle(caption);
    // The caption sits on the frame's top line, so the controls placed 240
    // twips below the frame's top edge lie inside it.
    f->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0 2px; }"));
    return f;
}

QComboBox *combo(QWidget *parent, const char *name, const QString &tip, const QRectF &twips)
{
    auto *c = make<QComboBox>(parent, name, twips, tip);
    c->setEditable(true);
    // The history decides what the list holds; Enter must not add entries.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setDuplicatesEnabled(true);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(1);
    return c;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRectF &twips)
{
    auto *l = make<QLabel>(parent, name, twips);
    l->setText(text);
    return l;
}

} // namespace

wireProbeDeskForm::wireProbeDeskForm(SettingsStore *store, MessageBox *box,
                                     std::unique_ptr<CommonDialog> dialog, QWidget *parent)
    : QWidget(parent), m_store(store), m_box(box), m_dialog(std::move(dialog))
{
    setObjectName(QStringLiteral("wireProbeDeskForm"));
    composeControls();
    wireEvents();
}

wireProbeDeskForm::~wireProbeDeskForm() = default;

void wireProbeDeskForm::composeControls()
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/wireprobedesk.png")));
    resize(Twips::toPixels(this, 8010), Twips::toPixels(this, 6630));
    const QFont font = messageFont();

    TimerWinsockClose.setObjectName(QStringLiteral("TimerWinsockClose"));
    openCmd = button(this, "openCmd", QStringLiteral("開く"),
                     QStringLiteral("要求メッセージに貼り付けるファイルを開きます。"), {1440, 120, 855, 375});
    clearCmd = button(this, "clearCmd", QStringLiteral("クリア"),
                      QStringLiteral("要求メッセージの入力を消去します。"), {2520, 120, 855, 375});
    pasteCmd = button(this, "pasteCmd", QStringLiteral("ペースト"),
                      QStringLiteral("クリップボードの内容を要求メッセージに貼り付けます。"), {3600, 120, 855, 375});
    saveCmd = button(this, "saveCmd", QStringLiteral("保存"),
                     QStringLiteral("応答メッセージをファイルに保存します。"), {5520, 120, 855, 375});
    TimerWinsock.setObjectName(QStringLiteral("TimerWinsock"));
    Timer.setObjectName(QStringLiteral("Timer"));

    picSplitter = make<QWidget>(this, "picSplitter", {7800, 1440, 72, 4335});
    picSplitter->setAutoFillBackground(true);
    QPalette grey = picSplitter->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    picSplitter->setPalette(grey);
    picSplitter->hide();

    statusBar = make<QLabel>(this, "statusBar", {0, 6330, 8010, 300},
                             QStringLiteral("操作中のステータスを表示します。"));
    statusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar->setTextFormat(Qt::PlainText);
    statusBar->setFont(font);

    exitCmd = button(this, "exitCmd", QStringLiteral("終了"), QStringLiteral("wireProbeDeskを終了します。"),
                     {6600, 120, 1095, 375});
    exitCmd->setFont(font);

    responseFrm = frame(this, "responseFrm", QStringLiteral("応答メッセージ"), {3960, 1440, 3735, 4335});
    responseFrm->setFont(font);
    responseTxt = make<RawTextPane>(responseFrm, "responseTxt", {120, 240, 3495, 3975},
                                    QStringLiteral("応答メッセージを表示します。"));
    responseTxt->setFont(font);
    responseTxt->document()->setUndoRedoEnabled(false); // responses can be huge

    requestFrm = frame(this, "requestFrm", QStringLiteral("要求メッセージ"), {120, 1440, 3735, 4335});
    requestFrm->setFont(font);
    requestTxt = make<RawTextPane>(requestFrm, "requestTxt", {120, 240, 3495, 3975},
                                   QStringLiteral("要求メッセージを入力して下さい。"));
    requestTxt->setFont(font);

    connectFrm = frame(this, "connectFrm", QStringLiteral("接続先設定"), {120, 600, 7575, 735});
    connectFrm->setFont(font);
    TimeOutSlider = make<QSlider>(connectFrm, "TimeOutSlider", {6000, 200, 1455, 400},
                                  QStringLiteral("応答時間のタイムアウト(秒)を指定して下さい。"));
    TimeOutSlider->setOrientation(Qt::Horizontal);
    TimeOutSlider->setRange(1, 60);
    TimeOutSlider->setSingleStep(1);
    TimeOutSlider->setPageStep(5);
    TimeOutSlider->setValue(10);
    TimeOutSlider->setTickPosition(QSlider::TicksBelow);
    TimeOutSlider->setTickInterval(5);
    addressCmb = combo(connectFrm, "addressCmb", QStringLiteral("接続先サーバのIPアドレスを指定して下さい。"),
                       {1200, 240, 1815, 300});
    addressCmb->setFont(font);
    portCmb = combo(connectFrm, "portCmb", QStringLiteral("接続先サーバのポート番号を指定して下さい。"),
                    {3960, 240, 855, 300});
    portCmb->setFont(font);
    Label3 = label(connectFrm, "Label3", QStringLiteral("ﾀｲﾑｱｳﾄ(秒)："), {4920, 300, 1095, 255});
    Label2 = label(connectFrm, "Label2", QStringLiteral("ポート："), {3120, 300, 735, 255});
    Label1 = label(connectFrm, "Label1", QStringLiteral("アドレス："), {120, 300, 975, 255});
    for (QLabel *l : {Label1, Label2, Label3})
        l->setFont(font);

    sendCmd = button(this, "sendCmd", QStringLiteral("送信"),
                     QStringLiteral("要求メッセージを指定したサーバに送信します。"), {120, 120, 1095, 375});
    sendCmd->setFont(font);

    winsock = new Winsock(this);
    winsock->setObjectName(QStringLiteral("Winsock"));

    imgSplitter = make<SplitterHandle>(this, "imgSplitter", {3840, 1560, 150, 4215});
    imgSplitter->raise();

    for (QWidget *w : std::initializer_list<QWidget *>{statusBar, connectFrm, requestFrm, responseFrm, Label1,
                                                       Label2, Label3, picSplitter})
        w->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget *> order{addressCmb, portCmb, TimeOutSlider, requestTxt, responseTxt, sendCmd,
                                 exitCmd,    saveCmd, pasteCmd,      clearCmd,   openCmd};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    TimeOutSlider->setFocusPolicy(Qt::StrongFocus);
    // The first control in the tab order takes the focus when the window opens.
    addressCmb->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::wireEvents()
{
    connect(sendCmd, &QPushButton::clicked, this, [this] { sendCmd_Click(); });
    connect(openCmd, &QPushButton::clicked, this, [this] { openCmd_Click(); });
    connect(pasteCmd, &QPushButton::clicked, this, [this] { pasteCmd_Click(); });
    connect(saveCmd, &QPushButton::clicked, this, [this] { saveCmd_Click(); });
    connect(clearCmd, &QPushButton::clicked, this, [this] { clearCmd_Click(); });
    connect(exitCmd, &QPushButton::clicked, this, [this] { exitCmd_Click(); });

    connect(winsock, &Winsock::connected, this, [this] { Winsock_Connect(); });
    connect(winsock, &Winsock::sendComplete, this, [this] { Winsock_SendComplete(); });
    connect(winsock, &Winsock::dataArrival, this, [this](qint32 n) { Winsock_DataArrival(n); });
    connect(winsock, &Winsock::error, this,
            [this](qint16 number, const QString &description) { Winsock_Error(number, description); });
    connect(&TimerWinsock, &QTimer::timeout, this, [this] { TimerWinsock_Timer(); });
    connect(&TimerWinsockClose, &QTimer::timeout, this, [this] { TimerWinsockClose_Timer(); });
    connect(&Timer, &QTimer::timeout, this, [this] { Timer_Timer(); });

    connect(imgSplitter, &SplitterHandle::mouseDown, this, [this](float x) { imgSplitter_MouseDown(x); });
    connect(imgSplitter, &SplitterHandle::mouseMove, this, [this](float x) { imgSplitter_MouseMove(x); });
    connect(imgSplitter, &SplitterHandle::mouseUp, this, [this](float x) { imgSplitter_MouseUp(x); });

    for (QWidget *w : std::initializer_list<QWidget *>{addressCmb, addressCmb->lineEdit(), portCmb,
                                                       portCmb->lineEdit(), responseTxt, TimeOutSlider,
                                                       requestTxt})
        w->installEventFilter(this);
}

bool wireProbeDeskForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == addressCmb || watched == addressCmb->lineEdit())
            addressCmb_GotFocus();
        else if (watched == portCmb || watched == portCmb->lineEdit())
            portCmb_GotFocus();
        else if (watched == responseTxt)
            responseTxt_GotFocus();
        else if (watched == TimeOutSlider)
            TimeOutSlider_GotFocus();
        else if (watched == requestTxt)
            requestTxt_GotFocus();
    } else if (event->type() == QEvent::FocusOut && watched == requestTxt) {
        requestTxt_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void wireProbeDeskForm::setStatus(const QString &text)
{
    statusBar->setText(text);
}

void wireProbeDeskForm::leaveBusy(QWidget *focusTo)
{
    setEnabled(true);
    if (!focusWidget() || !focusWidget()->hasFocus())
        focusTo->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::showError(const QString &text)
{
    m_box->showError(this, text);
}
