// Writing the response to a file chosen in the save dialog.
#include "gui/wireProbeDeskForm.h"

#include "core/ExchangeEngine.h"
#include "core/ResponseFile.h"
#include "core/TextCodec.h"
#include "gui/CommonDialog.h"
#include "gui/DetailsForm.h"
#include "gui/MessageBox.h"
#include "gui/ResponseView.h"

#include <QApplication>
#include <QPushButton>

namespace {

// The pane's text in the encoding. U+FFFD, which only UTF-8 can carry, is
// written as "?" in the others.
QByteArray shownBytes(QString text, const QString &encoding, TextCodec::EncodeOptions options)
{
    if (TextCodec::normalized(encoding) != QLatin1String("UTF-8"))
        text.replace(QChar(QChar::ReplacementCharacter), QLatin1Char('?'));
    options.pane = TextCodec::EncodeOptions::Pane::Response;
    return TextCodec::encode(text, encoding, options);
}

} // namespace

void wireProbeDeskForm::saveResponse()
{
    enterBusy(false);
    if (m_responseTxt->isEmpty()) {
        showError(tr("応答メッセージのデータがありません。"));
        leaveBusy(m_saveCmd);
        return;
    }
    // Unedited, the response is saved as the bytes that arrived, in any
    // encoding; edited, as the pane's text in the chosen encoding. An edited
    // pane that still shows bytes the encoding could not read asks which.
    bool shown = m_responseTxt->isEdited();
    if (m_responseTxt->editShowsUndecodable()) {
        const QString question =
            tr("応答メッセージは編集されていますが、文字コード %1 で読めなかったバイトが U+FFFD（\uFFFD）のまま残っています。"
               "どちらを保存しますか？")
                .arg(encoding());
        const QString asShown = TextCodec::normalized(encoding()) == QLatin1String("UTF-8")
                                    ? tr("表示どおりに保存")
                                    : tr("表示どおりに保存（U+FFFD は ? で書き込み）");
        const int answer = m_box->ask(this, question, {tr("受信したバイト列を保存"), asShown, tr("キャンセル")});
        if (answer != 0 && answer != 1) {
            leaveBusy(m_saveCmd);
            return;
        }
        shown = answer == 1;
    }
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = tr("応答メッセージをファイルに保存");
        dlg.flags = CommonDialog::OverwritePrompt;
        dlg.filter = tr("すべてのﾌｧｲﾙ (*.*)") + QStringLiteral("|*.*");
        dlg.defaultExt.clear();
        dlg.fileName = QStringLiteral("Response.txt");
        dlg.initDir = dialogFolder(Settings::SaveDir);
        const bool chosen = dlg.showSave(this);
        rememberFolder(Settings::SaveDir, dlg.fileName);
        if (chosen) {
            const auto keepAnswering = [] { QApplication::processEvents(); };
            if (shown)
                ResponseFile::save(dlg.fileName, shownBytes(m_responseTxt->plainText(), encoding(), encodeOptions()),
                                   keepAnswering);
            else
                ResponseFile::save(dlg.fileName, m_engine->response(), keepAnswering);
        }
    } catch (const Failure &f) {
        reportFileFailure(f);
    }
    leaveBusy(m_saveCmd);
}
