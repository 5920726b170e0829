// One request/response exchange, from the Send click to the server's close.
#include "window/wireProbeDeskForm.h"

#include "exchange/DestinationHistory.h"
#include "exchange/PortText.h"
#include "platform/Failure.h"
#include "platform/Winsock.h"
#include "window/RawTextPane.h"

#include <QPushButton>
#include <QComboBox>
#include <QSlider>

namespace {
constexpr int ClosePollMs = 10;
constexpr int TimeOutFactor = 1000;

void stopTimer(QTimer &t)
{
    t.stop();
    t.setInterval(0);
}
} // namespace

void wireProbeDeskForm::sendCmd_Click()
{
    if (addressCmb->currentText().isEmpty()) {
        showError(QStringLiteral("接続先サーバのIPアドレスが指定されていません。"));
        addressCmb->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (portCmb->currentText().isEmpty()) {
        showError(QStringLiteral("接続先サーバのポート番号が指定されていません。"));
        portCmb->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (requestTxt->document()->isEmpty()) {
        showError(QStringLiteral("要求メッセージが入力されていません。"));
        requestTxt->setFocus(Qt::OtherFocusReason);
        return;
    }

    setEnabled(false);
    DestinationHistory::record(addressCmb, addressCmb->currentText());
    DestinationHistory::record(portCmb, portCmb->currentText());
    responseTxt->setRawText(QString());

    try {
        winsock->setRemoteHost(addressCmb->currentText());
        winsock->setRemotePort(PortText::toInt(portCmb->currentText()));
        winsock->connectToRemote();
    } catch (const Failure &f) {
        endExchange();
        setStatus(QString::number(f.number) + QLatin1Char(':') + f.description);
        showError(f.description);
        leaveBusy(sendCmd);
    }
}

void wireProbeDeskForm::Winsock_Connect()
{
    // The pane holds a bare block break for each line break; its raw text gives
    // them back as they go on the wire (CR LF, or a lone LF a loaded file held).
    winsock->sendData(requestTxt->rawText());
    TimerWinsock.start(TimeOutSlider->value() * TimeOutFactor);
}

void wireProbeDeskForm::Winsock_SendComplete()
{
    setStatus(QStringLiteral("接続先サーバに要求メッセージを送信し、応答を待っています。"));
}

void wireProbeDeskForm::Winsock_DataArrival(qint32)
{
    // Every arrival starts the time-out again, so a server that answers and then
    // neither sends more nor closes cannot hold the window busy for ever.
    TimerWinsock.start(TimeOutSlider->value() * TimeOutFactor);
    responseTxt->queueRaw(winsock->getData());
    if (!TimerWinsockClose.isActive())
        TimerWinsockClose.start(ClosePollMs);
}

void wireProbeDeskForm::TimerWinsockClose_Timer()
{
    if (winsock->state() != Winsock::Closing)
        return;
    endExchange();
    setStatus(QStringLiteral("接続先サーバから応答メッセージを受信し、操作が完了しました。"));
    leaveBusy(sendCmd);
}

void wireProbeDeskForm::TimerWinsock_Timer()
{
    if (winsock->state() == Winsock::Closed)
        return;
    const QString text = QString::number(TimerWinsock.interval() / 1000.0, 'g', 15)
                         + QStringLiteral("秒間サーバからの応答がなかったため、接続を打ち切りました。");
    endExchange();
    setStatus(text);
    showError(text);
    leaveBusy(sendCmd);
}

void wireProbeDeskForm::Winsock_Error(qint16 number, const QString &description)
{
    endExchange();
    setStatus(QString::number(number) + QLatin1Char(':') + description);
    showError(description);
    leaveBusy(sendCmd);
}

void wireProbeDeskForm::endExchange()
{
    responseTxt->flushQueued();
    stopTimer(TimerWinsock);
    stopTimer(TimerWinsockClose);
    winsock->close();
}
