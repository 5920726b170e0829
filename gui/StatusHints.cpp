// The selection-length display, the details window and Clear.
#include "gui/wireProbeDeskForm.h"

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
    setStatus(QStringLiteral("要求メッセージを入力して下さい。  ") + QStringLiteral("選択した文字列の長さ：")
              + QString::number(length));
}

void wireProbeDeskForm::clearRequest()
{
    m_requestTxt->replaceAll(QString());
    m_requestTxt->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::showDetails()
{
    m_details->showOver(this);
}
