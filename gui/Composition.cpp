#include "gui/wireProbeDeskForm.h"

#include "core/ExchangeEngine.h"
#include "core/HistoryService.h"
#include "gui/CommonDialog.h"
#include "gui/CompareForm.h"
#include "gui/DetailsForm.h"
#include "gui/ElidedLabel.h"
#include "gui/FindBar.h"
#include "gui/HistoryForm.h"
#include "gui/MessageBox.h"
#include "gui/NarrowArrowStyle.h"
#include "gui/NoticeBar.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseFind.h"
#include "gui/ResponseView.h"
#include "gui/SplitterHandle.h"
#include "gui/SummaryLine.h"
#include "gui/TextPaneFind.h"
#include "gui/Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QToolTip>

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

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip, const QRectF &twips)
{
    auto *b = make<QPushButton>(parent, name, twips, tip);
    b->setText(caption);
    // Enter on a focused button presses it, as Space does.
    b->setAutoDefault(true);
    return b;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const QRectF &twips)
{
    auto *f = make<QGroupBox>(parent, name, twips);
    f->setTitle(caption);
    // The caption sits on the frame's top line, so the controls placed 240
    // twips below the frame's top edge lie inside it.
    f->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
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

wireProbeDeskForm::wireProbeDeskForm(SettingsStore *store, MessageBox *box, std::unique_ptr<CommonDialog> dialog,
                                     const QString &historyPath, QWidget *parent)
    : QWidget(parent), m_settings(store), m_box(box), m_dialog(std::move(dialog))
{
    setObjectName(QStringLiteral("wireProbeDeskForm"));
    composeControls();
    composeHistory(historyPath);
    wireEvents();
}

wireProbeDeskForm::~wireProbeDeskForm() = default;

void wireProbeDeskForm::composeControls()
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/wireprobedesk.png")));
    resize(Twips::toPixels(this, 8010), Twips::toPixels(this, 6630));
    const QFont font = messageFont();

    m_openCmd = button(this, "openCmd", tr("開く"), tr("要求メッセージに貼り付けるファイルを開きます。"),
                       {1440, 120, 855, 375});
    m_clearCmd = button(this, "clearCmd", tr("クリア"), tr("要求メッセージの入力を消去します。"), {2520, 120, 855, 375});
    m_pasteCmd = button(this, "pasteCmd", tr("ペースト"), tr("クリップボードの内容を要求メッセージに貼り付けます。"),
                        {3600, 120, 855, 375});
    m_saveCmd = button(this, "saveCmd", tr("保存"), tr("応答メッセージをファイルに保存します。"), {5520, 120, 855, 375});
    // The details button gives half its room to the history button: the band
    // has no other room at the window's minimum width.
    m_detailsCmd = button(this, "detailsCmd", tr("詳細"), tr("文字コード、受信バイト、通信の詳細を表示します。"),
                          {4560, 120, 465, 375});
    m_historyCmd = button(this, "historyCmd", tr("履歴"), tr("これまでのやり取りの履歴を表示します。"),
                          {5055, 120, 465, 375});
    m_selectionTimer.setObjectName(QStringLiteral("Timer"));

    m_picSplitter = make<QWidget>(this, "picSplitter", {7800, 1440, 72, 4335});
    m_picSplitter->setAutoFillBackground(true);
    QPalette grey = m_picSplitter->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    m_picSplitter->setPalette(grey);
    m_picSplitter->hide();

    m_statusBar = make<ElidedLabel>(this, "statusBar", {0, 6330, 8010, 300}, tr("操作中のステータスを表示します。"));
    m_statusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusBar->setFont(font);
    // The summary is the status bar's lasting part, at its right end.
    m_summaryLbl = new SummaryLine(m_statusBar);
    m_summaryLbl->setObjectName(QStringLiteral("summaryLbl"));
    m_summaryLbl->setFont(font);

    m_exitCmd = button(this, "exitCmd", tr("終了"), tr("wireProbeDeskを終了します。"), {6600, 120, 1095, 375});
    m_exitCmd->setFont(font);

    m_responseFrm = frame(this, "responseFrm", tr("応答メッセージ"), {3960, 1440, 3735, 4335});
    m_responseFrm->setFont(font);
    m_responseTxt = make<ResponseView>(m_responseFrm, "responseTxt", {120, 240, 3495, 3975},
                                       tr("応答メッセージを表示します。"));
    m_responseTxt->setFont(font);

    m_requestFrm = frame(this, "requestFrm", tr("要求メッセージ"), {120, 1440, 3735, 4335});
    m_requestFrm->setFont(font);
    m_requestTxt = make<RawTextPane>(m_requestFrm, "requestTxt", {120, 240, 3495, 3975},
                                     tr("要求メッセージを入力して下さい。"));
    m_requestTxt->setFont(font);

    m_connectFrm = frame(this, "connectFrm", tr("接続先設定"), {120, 600, 7575, 735});
    m_connectFrm->setFont(font);
    m_timeOutSlider = make<QSlider>(m_connectFrm, "TimeOutSlider", {6000, 200, 1455, 400},
                                    tr("応答時間のタイムアウト(秒)を指定して下さい。"));
    m_timeOutSlider->setOrientation(Qt::Horizontal);
    m_timeOutSlider->setRange(1, 60);
    m_timeOutSlider->setSingleStep(1);
    m_timeOutSlider->setPageStep(5);
    m_timeOutSlider->setValue(10);
    m_timeOutSlider->setTickPosition(QSlider::TicksBelow);
    m_timeOutSlider->setTickInterval(5);
    m_addressCmb = combo(m_connectFrm, "addressCmb", tr("接続先サーバのIPアドレスを指定して下さい。"),
                         {1200, 240, 1815, 300});
    m_addressCmb->setFont(font);
    m_portCmb = combo(m_connectFrm, "portCmb", tr("接続先サーバのポート番号を指定して下さい。"), {3960, 240, 855, 300});
    m_portCmb->setFont(font);
    auto *narrow = new NarrowArrowStyle;
    narrow->setParent(m_portCmb);
    m_portCmb->setStyle(narrow);
    m_label3 = label(m_connectFrm, "Label3", tr("ﾀｲﾑｱｳﾄ(秒)："), {4920, 300, 1095, 255});
    m_label2 = label(m_connectFrm, "Label2", tr("ポート："), {3120, 300, 735, 255});
    m_label1 = label(m_connectFrm, "Label1", tr("アドレス："), {120, 300, 975, 255});
    for (QLabel *l : {m_label1, m_label2, m_label3})
        l->setFont(font);

    m_sendCmd = button(this, "sendCmd", tr("送信"), tr("要求メッセージを指定したサーバに送信します。"),
                       {120, 120, 1095, 375});
    m_sendCmd->setFont(font);
    // Stop takes Send's place while an exchange runs, when Send takes no input.
    m_stopCmd = button(this, "stopCmd", tr("中止"), tr("送信中のやり取りを中止します。届いた応答は残ります（Esc）。"),
                       {120, 120, 1095, 375});
    m_stopCmd->setFont(font);
    m_stopCmd->hide();
    m_noticeBar = new NoticeBar(this);
    // Shown in the status bar's row, before the summary, while the response pane is edited.
    m_revertResponseCmd = button(this, "revertResponseCmd", tr("元に戻す"),
                                 tr("応答メッセージの編集をやめ、受信したバイト列の表示に戻します。"), {0, 0, 855, 300});
    m_revertResponseCmd->setFocusPolicy(Qt::NoFocus);
    m_revertResponseCmd->hide();

    m_engine = new ExchangeEngine(this);
    m_responseTxt->follow(m_engine);
    m_details = std::make_unique<DetailsForm>(m_engine);
    // Laid over the pane it searches, so no control of the window moves.
    m_findBar = new FindBar(this);
    m_findBar->setFont(font);
    m_requestFind = new TextPaneFind(m_requestTxt);
    m_responseFind = new ResponseFind(
        m_responseTxt, m_engine, [this] { return encoding(); }, [this] { return encodeOptions(); });

    m_imgSplitter = make<SplitterHandle>(this, "imgSplitter", {3840, 1560, 150, 4215});
    m_imgSplitter->raise();

    for (QWidget *w : std::initializer_list<QWidget *>{m_statusBar, m_connectFrm, m_requestFrm, m_responseFrm, m_label1,
                                                       m_label2, m_label3, m_picSplitter})
        w->setFocusPolicy(Qt::NoFocus);
    // The buttons follow the top row from right to left.
    const QList<QWidget *> order{m_addressCmb, m_portCmb,  m_timeOutSlider, m_requestTxt, m_responseTxt,
                                 m_sendCmd,    m_exitCmd,  m_saveCmd,       m_detailsCmd, m_historyCmd,
                                 m_pasteCmd,   m_clearCmd, m_openCmd};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    // While a notice shows, its button follows the last control of the order.
    setTabOrder(m_openCmd, m_noticeBar->button());
    m_timeOutSlider->setFocusPolicy(Qt::StrongFocus);
    // The first control in the tab order takes the focus when the window opens.
    m_addressCmb->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::wireEvents()
{
    connect(m_sendCmd, &QPushButton::clicked, this, &wireProbeDeskForm::sendRequest);
    connect(m_openCmd, &QPushButton::clicked, this, &wireProbeDeskForm::openRequest);
    connect(m_pasteCmd, &QPushButton::clicked, this, &wireProbeDeskForm::pasteRequest);
    connect(m_saveCmd, &QPushButton::clicked, this, &wireProbeDeskForm::saveResponse);
    connect(m_clearCmd, &QPushButton::clicked, this, &wireProbeDeskForm::clearRequest);
    connect(m_detailsCmd, &QPushButton::clicked, this, &wireProbeDeskForm::showDetails);
    connect(m_historyCmd, &QPushButton::clicked, this, &wireProbeDeskForm::showHistory);
    connect(m_exitCmd, &QPushButton::clicked, this, &QWidget::close);
    connect(m_stopCmd, &QPushButton::clicked, this, &wireProbeDeskForm::stopExchange);
    connect(m_engine, &ExchangeEngine::stopped, this, &wireProbeDeskForm::showStopped);
    connect(m_engine, &ExchangeEngine::outcomeChanged, this, [this](ExchangeEngine::Outcome o) {
        followOutcome(o == ExchangeEngine::Outcome::Running, o != ExchangeEngine::Outcome::Idle);
    });
    connect(m_summaryLbl, &SummaryLine::pageRequested, this, &wireProbeDeskForm::openDetailsAt);
    connect(m_revertResponseCmd, &QPushButton::clicked, m_responseTxt, &ResponseView::revert);
    connect(m_responseTxt, &ResponseView::editedChanged, this, [this](bool edited) {
        m_summaryLbl->setEdited(edited);
        m_revertResponseCmd->setVisible(edited);
        layOutStatusRow();
    });
    connect(m_details.get(), &DetailsForm::optionsChanged, this, &wireProbeDeskForm::showOptionsSummary);
    m_summaryTimer.setInterval(250);
    connect(&m_summaryTimer, &QTimer::timeout, this, &wireProbeDeskForm::showSummary);

    connect(m_engine, &ExchangeEngine::requestSent, this, &wireProbeDeskForm::showRequestSent);
    connect(m_engine, &ExchangeEngine::completed, this, &wireProbeDeskForm::showCompletion);
    connect(m_engine, &ExchangeEngine::timedOut, this, &wireProbeDeskForm::showTimeOut);
    connect(m_engine, &ExchangeEngine::failed, this, &wireProbeDeskForm::showFailure);
    connect(&m_selectionTimer, &QTimer::timeout, this, &wireProbeDeskForm::showSelectionLength);

    connect(m_imgSplitter, &SplitterHandle::mouseDown, this, &wireProbeDeskForm::startSplitterDrag);
    connect(m_imgSplitter, &SplitterHandle::mouseMove, this, &wireProbeDeskForm::moveSplitterDrag);
    connect(m_imgSplitter, &SplitterHandle::mouseUp, this, &wireProbeDeskForm::endSplitterDrag);

    connect(m_details.get(), &DetailsForm::encodingChanged, this, &wireProbeDeskForm::reshowResponse);
    connect(m_details.get(), &DetailsForm::encodingChanged, this, &wireProbeDeskForm::countRequest);
    connect(m_details.get(), &DetailsForm::encodingChanged, m_responseFind, &ResponseFind::encodingChanged);
    connect(m_details.get(), &DetailsForm::jisSymbolsChanged, this, &wireProbeDeskForm::countRequest);
    connect(m_details.get(), &DetailsForm::contentLengthRequested, this, &wireProbeDeskForm::fixContentLength);
    connect(m_details.get(), &DetailsForm::wrapChanged, this, [this](bool on) {
        m_requestTxt->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        m_requestTxt->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        m_responseTxt->setWrap(on);
    });
    // The request's line ends are counted again a moment after the typing stops.
    m_requestCount.setSingleShot(true);
    m_requestCount.setInterval(300);
    connect(m_requestTxt->document(), &QTextDocument::contentsChanged, &m_requestCount, qOverload<>(&QTimer::start));
    connect(&m_requestCount, &QTimer::timeout, this, &wireProbeDeskForm::countRequest);
    m_requestTxt->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_requestTxt, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        std::unique_ptr<QMenu> menu(m_requestTxt->createStandardContextMenu(at));
        menu->addSeparator();
        menu->addAction(tr("Content-Length を修正"), this, &wireProbeDeskForm::fixContentLength);
        menu->addAction(tr("要求を保存..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                        &wireProbeDeskForm::saveRequest);
        menu->exec(m_requestTxt->viewport()->mapToGlobal(at));
    });

    m_responseTxt->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_responseTxt, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        std::unique_ptr<QMenu> menu(m_responseTxt->createStandardContextMenu());
        menu->addSeparator();
        menu->addAction(tr("本文を整形して表示"), this, [this] { m_details->showPretty(this); });
        menu->exec(m_responseTxt->viewport()->mapToGlobal(at));
    });

    for (QWidget *w :
         std::initializer_list<QWidget *>{m_addressCmb, m_addressCmb->lineEdit(), m_portCmb, m_portCmb->lineEdit(),
                                          m_responseTxt, m_timeOutSlider, m_requestTxt})
        w->installEventFilter(this);
    addShortcuts();
    showOptionsSummary();
}

bool wireProbeDeskForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_timeOutSlider && event->type() == QEvent::ToolTip) {
        // The hint, with the value nobody could otherwise see.
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                           m_timeOutSlider->toolTip() + QLatin1Char('\n') + tr("%1 秒").arg(m_timeOutSlider->value()),
                           m_timeOutSlider);
        return true;
    }
    // The status line names what the focused control is for.
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_addressCmb || watched == m_addressCmb->lineEdit())
            setStatus(tr("接続先サーバのIPアドレスを指定して下さい。"));
        else if (watched == m_portCmb || watched == m_portCmb->lineEdit())
            setStatus(tr("接続先サーバのポート番号を指定して下さい。"));
        else if (watched == m_responseTxt)
            setStatus(tr("応答メッセージを表示します。"));
        else if (watched == m_timeOutSlider)
            setStatus(tr("応答時間のタイムアウト(秒)を指定して下さい。"));
        else if (watched == m_requestTxt)
            m_selectionTimer.start(10);
    } else if (event->type() == QEvent::FocusOut && watched == m_requestTxt) {
        m_selectionTimer.stop();
    }
    return QWidget::eventFilter(watched, event);
}

void wireProbeDeskForm::setStatus(const QString &text)
{
    m_statusBar->setText(text);
    layOutStatusRow();
}

void wireProbeDeskForm::showError(const QString &text)
{
    m_box->showError(this, text);
}
