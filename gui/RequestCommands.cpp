// Filling the request pane from a file (Open) or from the clipboard (Paste),
// and writing it to a file as it would go on the wire (要求を保存).
#include "gui/wireProbeDeskForm.h"

#include "core/ContentLength.h"
#include "core/ExchangeReport.h"
#include "core/FileFailure.h"
#include "core/RequestFile.h"
#include "core/ResponseFile.h"
#include "core/TextCodec.h"
#include "gui/CommonDialog.h"
#include "gui/DetailsForm.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>

#include <cerrno>
#include <new>

void wireProbeDeskForm::openRequest()
{
    enterBusy(false);
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = tr("要求メッセージのファイルを開く");
        dlg.filter = tr("すべてのﾌｧｲﾙ (*.*)") + QStringLiteral("|*.*");
        dlg.defaultExt.clear();
        dlg.fileName.clear();
        dlg.initDir = dialogFolder(Settings::OpenDir);
        dlg.showOpen(this);
        rememberFolder(Settings::OpenDir, dlg.fileName);
        if (!dlg.fileName.isEmpty()) {
            // Read whole before the pane changes: a file that fails half-way
            // leaves the request as it was. One larger than RequestFile's
            // limit (1 GiB) is refused before anything is read.
            const QByteArray bytes = RequestFile::load(dlg.fileName, m_details->crlfOnLoad());
            const QString text = TextCodec::decode(bytes, encoding());
            m_requestTxt->setRawText(text);
            checkRequest(RequestMoment::Loaded, text);
        }
    } catch (const Failure &f) {
        reportFileFailure(f);
    } catch (const std::bad_alloc &) {
        // A request within the limit may still not fit as text: a failure, not a crash.
        reportFileFailure(FileFailure::fromErrno(ENOMEM));
    }
    leaveBusy(m_openCmd);
}

// The request as Send would put it on the wire, to a file: the chosen
// encoding, each line's own end, the Content-Length fix when Send makes it.
// Open reads it back with its line rules, so only a last line without a line
// end comes back longer: by the CR LF Open gives every line.
void wireProbeDeskForm::saveRequest()
{
    if (m_requestTxt->document()->isEmpty()) {
        showError(ExchangeReport::requestMissing());
        return;
    }
    QString text = m_requestTxt->rawText();
    const QString enc = encoding();
    const TextCodec::EncodeOptions options = encodeOptions(); // the bytes Send would write
    if (m_details->fixContentLengthOnSend()) {
        const ContentLength::Result r = ContentLength::fix(
            text, [&enc, options](QStringView body) { return TextCodec::encodedLength(body, enc, options); });
        if (r.applicable && !r.edits.isEmpty())
            text = ContentLength::apply(text, r.edits);
    }
    QByteArray bytes;
    try {
        bytes = TextCodec::encode(text, enc, options);
    } catch (const Failure &f) {
        setStatus(QString::number(f.number) + QLatin1Char(':') + f.description);
        showError(f.description);
        return;
    }
    enterBusy(false);
    CommonDialog &dlg = *m_dialog;
    dlg.dialogTitle = tr("要求メッセージをファイルに保存");
    dlg.flags = CommonDialog::OverwritePrompt;
    dlg.filter = tr("すべてのﾌｧｲﾙ (*.*)") + QStringLiteral("|*.*");
    dlg.defaultExt.clear();
    dlg.fileName = QStringLiteral("Request.txt");
    dlg.initDir = dialogFolder(Settings::RequestSaveDir);
    try {
        const bool chosen = dlg.showSave(this);
        rememberFolder(Settings::RequestSaveDir, dlg.fileName);
        if (chosen)
            ResponseFile::save(dlg.fileName, bytes);
    } catch (const Failure &f) {
        reportFileFailure(f);
    }
    leaveBusy(m_requestTxt);
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
    checkRequest(RequestMoment::Loaded, text);
}

void wireProbeDeskForm::reportFileFailure(const Failure &f)
{
    showError(QString::number(f.number) + QStringLiteral(" : ") + f.description + QLatin1Char('\n') + m_dialog->fileName);
}
