// Send, and what the exchange reports, on the status line and in the box.
#include "gui/wireProbeDeskForm.h"

#include "core/DestinationHistory.h"
#include "core/ExchangeEngine.h"
#include "core/ExchangeReport.h"
#include "core/Failure.h"
#include "core/FailureNumber.h"
#include "core/PortText.h"
#include "core/SoapFault.h"
#include "core/TextCodec.h"
#include "gui/DetailsForm.h"
#include "gui/HistoryForm.h"
#include "gui/NoticeBar.h"
#include "gui/RawText.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"
#include "gui/SummaryLine.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

void wireProbeDeskForm::sendRequest()
{
    if (m_addressCmb->currentText().isEmpty()) {
        showError(ExchangeReport::addressMissing());
        m_addressCmb->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_portCmb->currentText().isEmpty()) {
        showError(ExchangeReport::portMissing());
        m_portCmb->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_requestTxt->document()->isEmpty()) {
        showError(ExchangeReport::requestMissing());
        m_requestTxt->setFocus(Qt::OtherFocusReason);
        return;
    }

    enterBusy(true);
    recordHistory(m_addressCmb);
    recordHistory(m_portCmb);
    // The last exchange's response is gone, whatever happens next (the pane
    // and the details follow the engine), and what was said about it.
    m_engine->clear();
    m_noticeBar->dismiss();
    m_summaryLbl->setSoapFault(QString());
    if (details().fixContentLengthOnSend())
        fixContentLength();

    try {
        ExchangeSetup setup;
        setup.host = m_addressCmb->currentText();
        setup.port = PortText::toInt(m_portCmb->currentText());
        setup.timeoutSeconds = m_timeOutSlider->value();
        const QString text = m_requestTxt->rawText();
        setup.request = TextCodec::encode(text, encoding(), encodeOptions());
        details().fillSetup(setup, this);
        m_engine->start(setup);
        // Got as far as a connection attempt: the history hears how it ends.
        m_recordPending = true;
        m_sentPort = m_portCmb->currentText();
        m_sentEncoding = encoding();
        setStatus(tr("接続先サーバに接続しています。"));
        checkRequest(RequestMoment::Sent, text);
    } catch (const Failure &f) {
        if (f.number == FailureNumber::TlsFile)
            details().forgetFilePasswords(); // one kept may be the wrong one
        if (f.number == FailureNumber::Unencodable && f.at >= 0)
            selectRequestCharacter(f.at);
        reportFailure(f);
        if (f.number == FailureNumber::Unencodable && f.at >= 0)
            m_requestTxt->setFocus(Qt::OtherFocusReason);
    }
}

void wireProbeDeskForm::selectRequestCharacter(qsizetype at)
{
    const QString text = m_requestTxt->rawText();
    const qsizetype end = at + (at + 1 < text.size() && text[at].isHighSurrogate() ? 2 : 1);
    QTextCursor c(m_requestTxt->document());
    c.setPosition(RawText::position(m_requestTxt->document(), at));
    c.setPosition(RawText::position(m_requestTxt->document(), end), QTextCursor::KeepAnchor);
    m_requestTxt->setTextCursor(c);
    m_requestTxt->ensureCursorVisible();
}

void wireProbeDeskForm::followOutcome(bool running, bool known)
{
    if (running) {
        m_summaryTimer.start();
    } else {
        if (known)
            m_stopCmd->hide(); // nothing left to stop, also while a box is open
        m_summaryTimer.stop();
        // Bounded by the size of the bodies it looks into: a Fault is small.
        const std::optional<SoapFault> fault = known ? soapFaultInResponse(m_engine->response(), encoding(),
                                                                           m_engine->framing().forHead())
                                                     : std::nullopt;
        m_summaryLbl->setSoapFault(fault ? fault->summary() : QString());
    }
    showSummary();
}

void wireProbeDeskForm::recordHistory(QComboBox *box)
{
    const QString text = box->currentText();
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    list = DestinationHistory::record(list, text);
    for (int i = 0; i < list.size(); ++i) {
        if (i < box->count())
            box->setItemText(i, list[i]);
        else
            box->addItem(list[i]);
    }
    box->setCurrentIndex(0);
    box->setEditText(text);
}

void wireProbeDeskForm::showRequestSent()
{
    setStatus(ExchangeReport::waiting());
}

void wireProbeDeskForm::showCompletion()
{
    recordExchange(HistoryEntry::Outcome::Completed);
    setStatus(ExchangeReport::completed());
    leaveBusy(m_sendCmd);
    checkResponse();
}

void wireProbeDeskForm::showTimeOut(int seconds)
{
    const QString text = ExchangeReport::timedOut(seconds);
    recordExchange(HistoryEntry::Outcome::TimedOut);
    setStatus(text);
    showError(text);
    leaveBusy(m_sendCmd);
    checkResponse();
}

void wireProbeDeskForm::showFailure(qint32 number, const QString &description)
{
    recordExchange(HistoryEntry::Outcome::Failed, number, description);
    reportFailure(Failure{number, description});
    checkResponse();
}

void wireProbeDeskForm::reportFailure(const Failure &f)
{
    m_stopCmd->hide();
    setStatus(QString::number(f.number) + QLatin1Char(':') + f.description);
    showError(f.description);
    leaveBusy(m_sendCmd);
}

void wireProbeDeskForm::showWholeResponse()
{
    m_responseTxt->grew();
}

void wireProbeDeskForm::reshowResponse()
{
    m_responseTxt->setEncoding(encoding());
}

QString wireProbeDeskForm::encoding() const
{
    return m_details->encoding();
}

TextCodec::EncodeOptions wireProbeDeskForm::encodeOptions() const
{
    return {m_details->jisSymbols()};
}
