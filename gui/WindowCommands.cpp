// The selection-length display, the details window and Clear.
#include "gui/wireProbeDeskForm.h"

#include "core/ContentLength.h"
#include "core/TextCodec.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"

#include <QLabel>
#include <QTextCursor>

void wireProbeDeskForm::showSelectionLength()
{
    // The same count as the selected text's length, without copying that text
    // a hundred times a second.
    const QTextCursor c = m_requestTxt->textCursor();
    const int length = c.selectionEnd() - c.selectionStart();
    setStatus(tr("要求メッセージを入力して下さい。  選択した文字列の長さ：%1").arg(length));
}

void wireProbeDeskForm::clearRequest()
{
    m_requestTxt->replaceAll(QString());
    m_requestTxt->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::showDetails()
{
    m_details->showOver(this);
    countRequest();
}

void wireProbeDeskForm::countRequest()
{
    if (!m_details->isVisible())
        return;
    // The core's encoder, so the count is the bytes Send would write.
    const TextCodec::Encoded e = TextCodec::encodeLeniently(m_requestTxt->rawText(), encoding(), encodeOptions());
    m_details->showRequest(e.bytes, e.jisReplaced);
}

ContentLength::Result wireProbeDeskForm::contentLengthFix(const QString &text) const
{
    const QString enc = encoding();
    const TextCodec::EncodeOptions options = encodeOptions();
    return ContentLength::fix(
        text, [&enc, options](QStringView body) { return TextCodec::encodedLength(body, enc, options); });
}

void wireProbeDeskForm::fixContentLength()
{
    const QString text = m_requestTxt->rawText();
    const ContentLength::Result r = contentLengthFix(text);
    // One step in the pane, so Ctrl+Z takes the fix back.
    if (r.applicable && !r.edits.isEmpty())
        m_requestTxt->replaceAll(ContentLength::apply(text, r.edits));
    m_details->showContentLengthNote(r.note);
}
