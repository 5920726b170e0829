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
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>

namespace {

// Qt's file dialog reads every entry of the folder it shows; under these,
// entries such as /proc/kmsg block for ever.
bool isSystemFolder(const QString &folder)
{
    for (QString path : {QDir::cleanPath(folder), QFileInfo(folder).canonicalFilePath()}) {
        for (const char *top : {"/proc", "/sys", "/dev"}) {
            const QString t = QLatin1String(top);
            if (path == t || path.startsWith(t + QLatin1Char('/')))
                return true;
        }
    }
    return false;
}

} // namespace

QString wireProbeDeskForm::dialogFolder(const QString &key) const
{
    const QString folder = readSetting(key, QString());
    if (folder.isEmpty() || isSystemFolder(folder))
        return QDir::homePath() + QLatin1Char('/');
    return folder;
}

void wireProbeDeskForm::rememberFolder(const QString &key, const QString &fileName)
{
    const QString folder = StripPath(fileName);
    if (!isSystemFolder(folder))
        writeSetting(key, folder);
}

void wireProbeDeskForm::openRequest()
{
    setEnabled(false);
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = QStringLiteral("要求メッセージのファイルを開く");
        dlg.cancelError = false;
        dlg.filter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*");
        dlg.defaultExt.clear();
        dlg.fileName.clear();
        dlg.initDir = dialogFolder(QStringLiteral("openDir"));
        dlg.showOpen(this);
        rememberFolder(QStringLiteral("openDir"), dlg.fileName);
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
