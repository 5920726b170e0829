// Writing the response pane to a file chosen in the save dialog.
#include "window/wireProbeDeskForm.h"

#include "files/FileFailure.h"
#include "platform/CommonDialog.h"
#include "window/RawTextPane.h"

#include <QPushButton>
#include <QSaveFile>
#include <cerrno>

namespace {

// The pane's text, byte for byte as it arrived, replaces the file only once it
// is completely written: a failed save leaves the old file as it was.
void writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw FileFailure::fromErrno(errno);
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int err = errno;
        file.cancelWriting();
        throw FileFailure::fromErrno(err);
    }
    errno = 0;
    if (!file.commit())
        throw FileFailure::fromErrno(errno);
}

} // namespace

void wireProbeDeskForm::saveCmd_Click()
{
    setEnabled(false);
    if (responseTxt->document()->isEmpty()) {
        showError(QStringLiteral("応答メッセージのデータがありません。"));
        leaveBusy(saveCmd);
        return;
    }
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = QStringLiteral("応答メッセージをファイルに保存");
        dlg.cancelError = false;
        dlg.flags = CommonDialog::OverwritePrompt | CommonDialog::HideReadOnly | CommonDialog::NoChangeDir
                    | CommonDialog::LongNames;
        dlg.filter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*");
        dlg.defaultExt.clear();
        dlg.fileName = QStringLiteral("Response.txt");
        dlg.initDir = readSetting(QStringLiteral("saveDir"), programFolder());
        const bool chosen = dlg.showSave(this);
        writeSetting(QStringLiteral("saveDir"), StripPath(dlg.fileName));
        if (chosen)
            writeWhole(dlg.fileName, responseTxt->rawText().toUtf8());
    } catch (const Failure &f) {
        reportFileFailure(f);
    }
    leaveBusy(saveCmd);
}
