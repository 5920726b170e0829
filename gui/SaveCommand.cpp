// Writing the response to a file chosen in the save dialog.
#include "gui/wireProbeDeskForm.h"

#include "core/ExchangeEngine.h"
#include "core/ResponseFile.h"
#include "core/TextCodec.h"
#include "gui/CommonDialog.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseFeed.h"

#include <QApplication>
#include <QPushButton>

void wireProbeDeskForm::saveResponse()
{
    setEnabled(false);
    if (m_responseTxt->document()->isEmpty() && m_feed->pending() == 0) {
        showError(QStringLiteral("応答メッセージのデータがありません。"));
        leaveBusy(m_saveCmd);
        return;
    }
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = QStringLiteral("応答メッセージをファイルに保存");
        dlg.flags = CommonDialog::OverwritePrompt;
        dlg.filter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*");
        dlg.defaultExt.clear();
        dlg.fileName = QStringLiteral("Response.txt");
        dlg.initDir = dialogFolder(Settings::SaveDir);
        const bool chosen = dlg.showSave(this);
        rememberFolder(Settings::SaveDir, dlg.fileName);
        if (chosen) {
            const auto keepAnswering = [] { QApplication::processEvents(); };
            // Unedited, the response is saved as the bytes that arrived, in any
            // encoding; edited, as the pane's text in the chosen encoding.
            if (m_feed->edited())
                ResponseFile::save(dlg.fileName, TextCodec::encode(m_responseTxt->rawText(), encoding(), encodeOptions()), keepAnswering);
            else
                ResponseFile::save(dlg.fileName, m_engine->response(), keepAnswering);
        }
    } catch (const Failure &f) {
        reportFileFailure(f);
    }
    leaveBusy(m_saveCmd);
}
