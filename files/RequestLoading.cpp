// Filling the request pane from a file (Open) or from the clipboard (Paste).
#include "window/wireProbeDeskForm.h"

#include "files/FileFailure.h"
#include "files/RequestLines.h"
#include "platform/CommonDialog.h"
#include "platform/Utf8Stream.h"
#include "window/RawTextPane.h"

#include <QPushButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype ReadPiece = 256 * 1024;

// A file open for reading only while the command reads it.
class RequestFile
{
public:
    explicit RequestFile(const QString &path)
    {
        // Non-blocking, so that a FIFO cannot hang the program before we can
        // see that it is not a regular file.
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            throw FileFailure::fromErrno(errno);
        struct stat st {};
        if (::fstat(m_fd, &st) != 0)
            throw FileFailure::fromErrno(errno);
        if (S_ISDIR(st.st_mode))
            throw FileFailure::fromErrno(EISDIR);
        if (!S_ISREG(st.st_mode))
            throw FileFailure::notRegularFile();
    }
    ~RequestFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RequestFile(const RequestFile &) = delete;
    RequestFile &operator=(const RequestFile &) = delete;

    // The next piece; empty at the end of the file.
    QByteArray read()
    {
        QByteArray buf(ReadPiece, Qt::Uninitialized);
        ssize_t n;
        do
            n = ::read(m_fd, buf.data(), static_cast<size_t>(buf.size()));
        while (n < 0 && errno == EINTR);
        if (n < 0)
            throw FileFailure::fromErrno(errno);
        buf.truncate(n);
        return buf;
    }

private:
    int m_fd = -1;
};

} // namespace

void wireProbeDeskForm::openCmd_Click()
{
    setEnabled(false);
    CommonDialog &dlg = *m_dialog;
    try {
        dlg.dialogTitle = QStringLiteral("要求メッセージのファイルを開く");
        dlg.cancelError = false;
        dlg.filter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*");
        dlg.defaultExt.clear();
        dlg.fileName.clear();
        dlg.initDir = readSetting(QStringLiteral("openDir"), programFolder());
        dlg.showOpen(this);
        writeSetting(QStringLiteral("openDir"), StripPath(dlg.fileName));
        if (dlg.fileName.isEmpty()) {
            leaveBusy(openCmd);
            return;
        }

        RequestFile file(dlg.fileName);
        requestTxt->setRawText(QString());
        requestTxt->document()->setUndoRedoEnabled(false);
        RequestLines lines;
        Utf8Stream text;
        // Pieces are queued into the pane, which lays them out in growing
        // batches; the events in between let the user watch it fill.
        for (;;) {
            QApplication::processEvents();
            if (m_unloaded)
                break;
            const QByteArray piece = file.read();
            if (piece.isEmpty())
                break;
            requestTxt->queueRaw(text.decode(lines.feed(piece)));
        }
        requestTxt->queueRaw(text.decode(lines.finish()) + text.finish());
        requestTxt->flushQueued();
        requestTxt->document()->setUndoRedoEnabled(true);
    } catch (const Failure &f) {
        requestTxt->flushQueued();
        requestTxt->document()->setUndoRedoEnabled(true);
        reportFileFailure(f);
    }
    leaveBusy(openCmd);
}

void wireProbeDeskForm::pasteCmd_Click()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    // Every line break of pasted text is a line break of the request, so it goes
    // on the wire as CR LF whatever the clipboard held.
    requestTxt->setPlainText(data && data->hasText() ? data->text() : QString());
    QTextCursor c = requestTxt->textCursor();
    c.movePosition(QTextCursor::Start);
    requestTxt->setTextCursor(c);
    requestTxt->setFocus(Qt::OtherFocusReason);
}

void wireProbeDeskForm::reportFileFailure(const Failure &f)
{
    showError(QString::number(f.number) + QStringLiteral(" : ") + f.description + QLatin1Char('\n')
              + m_dialog->fileName);
}
