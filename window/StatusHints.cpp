// Focus hints on the status line, the selection-length display, Clear and Exit.
#include "window/wireProbeDeskForm.h"

#include "window/RawTextPane.h"

#include <QLabel>
#include <QTextCursor>

void wireProbeDeskForm::addressCmb_GotFocus()
{
    setStatus(QStringLiteral("接続先サーバのIPアドレスを指定して下さい。"));
}

void wireProbeDeskForm::portCmb_GotFocus()
{
    setStatus(QStringLiteral("接続先サーバのポート番号を指定して下さい。"));
}

void wireProbeDeskForm::responseTxt_GotFocus()
{
    setStatus(QStringLiteral("応答メッセージを表示します。"));
}

void wireProbeDeskForm::TimeOutSlider_GotFocus()
{
    setStatus(QStringLiteral("応答時間のタイムアウト(秒)を指定して下さい。"));
}

void wireProbeDeskForm::requestTxt_GotFocus()
{
    Timer.start();
}

void wireProbeDeskForm::requestTxt_LostFocus()
{
    Timer.stop();
}

void wireProbeDeskForm::Timer_Timer()
{
    // The same count as the selected text's length, without copying that text
    // a hundred times a second.
    const QTextCursor c = requestTxt->textCursor();
    const int length = c.selectionEnd() - c.selectionStart();
    setStatus(QStringLiteral("要求メッセージを入力して下さい。  ") + QStringLiteral("選択した文字列の長さ：")
              + QString::number(length));
}

void wireProbeDeskForm::clearCmd_Click()
{
    requestTxt->setRawText(QString());
    requestTxt->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::exitCmd_Click()
{
    close();
}
