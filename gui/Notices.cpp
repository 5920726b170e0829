// Notices with a fix: what the request or the response shows that the user
// may want to set right, each with one button that does it.
#include "gui/wireProbeDeskForm.h"

#include "core/ContentLength.h"
#include "core/ExchangeEngine.h"
#include "core/HttpFraming.h"
#include "core/RequestShape.h"
#include "core/TextCodec.h"
#include "gui/NoticeBar.h"
#include "gui/RawTextPane.h"

namespace {
// Enough of a body to tell whether it is in the encoding, without decoding a huge one again.
constexpr qsizetype DecodeCheck = 4 << 20;
}

void wireProbeDeskForm::checkRequest(RequestMoment when, const QString &text)
{
    const bool sent = when == RequestMoment::Sent;
    // The newest notice is the one shown: the line ends go last, since
    // setting them right changes the body's length too.
    if (!sent || !m_details->fixContentLengthOnSend()) {
        const ContentLength::Result r = contentLengthFix(text);
        if (r.applicable && !r.oldValue.isEmpty() && r.oldValue != r.newValue)
            m_noticeBar->post((sent ? tr("送信した要求の Content-Length (%1) は本文のバイト数 (%2) と違います。")
                                    : tr("要求の Content-Length (%1) は本文のバイト数 (%2) と違います。"))
                                  .arg(r.oldValue.simplified(), r.newValue),
                              tr("Content-Length を修正"), [this] { fixContentLength(); });
    }
    if (!RequestShape::startsLikeHttp(text))
        return;
    const qsizetype lone = RequestShape::loneLineFeeds(text);
    if (lone == 0)
        return;
    m_noticeBar->post((sent ? tr("送信した要求には LF だけの改行が %1 個ありました。HTTP の行は CR LF で終わります。")
                            : tr("要求には LF だけの改行が %1 個あります。HTTP の行は CR LF で終わります。"))
                          .arg(lone),
                      tr("改行を CR LF に揃える"), [this] { alignLineEnds(); });
}

void wireProbeDeskForm::alignLineEnds()
{
    // One step in the pane, so Ctrl+Z takes it back.
    const QString text = RequestShape::withCrLf(m_requestTxt->rawText());
    m_requestTxt->replaceAll(text);
    checkRequest(RequestMoment::Loaded, text);
}

void wireProbeDeskForm::checkResponse()
{
    const ExchangeEngine &e = *m_engine;
    const HttpFraming &f = e.framing();
    if (!f.isHttp())
        return;
    if (e.outcome() == ExchangeEngine::Outcome::TimedOut && f.finalResponseComplete() && !m_details->httpEnd()) {
        m_noticeBar->post(tr("応答は完了していましたが、サーバが接続を開いたままでした。"),
                          tr("HTTP の応答の終わりで完了する"), [this] { m_details->setHttpEnd(true); });
        return;
    }
    const QString charset = TextCodec::known(f.diagnosis().charset);
    if (charset.isEmpty() || charset == encoding())
        return;
    const QByteArrayView body = QByteArrayView(e.response()).sliced(qMin<qint64>(f.headerBytes(), e.response().size()));
    const bool whole = body.size() <= DecodeCheck;
    if (TextCodec::decodesCleanly(body.first(qMin<qsizetype>(body.size(), DecodeCheck)), encoding(), whole))
        return;
    m_noticeBar->post(
        tr("応答は %1 では正しく表示できません。Content-Type の文字コードは %2 です。").arg(encoding(), charset),
        tr("%1 で表示").arg(charset), [this, charset] { m_details->setEncoding(charset); });
}
