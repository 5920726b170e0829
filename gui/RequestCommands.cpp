// Filling the request pane from a file (Open) or from the clipboard (Paste).
#include "gui/wireProbeDeskForm.h"

#include "core/FileFailure.h"
#include "core/RequestFile.h"
#include "core/TextCodec.h"
#include "gui/CommonDialog.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>

void wireProbeDeskForm::openRequest()
{
    setEnabled(false);
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = QStringLiteral("要求メッセージのファイルを開く");
        dlg.filter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*");
        dlg.defaultExt.clear();
        dlg.fileName.clear();
        dlg.initDir = dialogFolder(Settings::OpenDir);
        dlg.showOpen(this);
        rememberFolder(Settings::OpenDir, dlg.fileName);
        if (!dlg.fileName.isEmpty()) {
            // Read whole before the pane changes: a file that fails half-way
            // leaves the request as it was.
            const QByteArray bytes = RequestFile::load(dlg.fileName, m_details->crlfOnLoad());
            StreamDecoder decoder(encoding());
            m_requestTxt->setRawText(decoder.decode(bytes) + decoder.finish());
        }
    } catch (const Failure &f) {
        reportFileFailure(f);
    }
    leaveBusy(m_openCmd);
}

void wireProbeDeskForm::pasteRequest()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    QString text = data && data->hasText() ? data->text() : QString();
    // Every line break of pasted text is a line break of the request, so it goes
    // on the wire as CR LF whatever the clipboard held.
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    text.replace(QLatin1Char('\r'), QLatin1String("\r\n"));
    m_requestTxt->replaceAll(text);
    m_requestTxt->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::reportFileFailure(const Failure &f)
{
    showError(QString::number(f.number) + QStringLiteral(" : ") + f.description + QLatin1Char('\n')
              + m_dialog->fileName);
}
