#include "gui/CommonDialog.h"

#include "core/OutputFile.h"
#include "core/Translation.h"
#include "gui/ModalHelper.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// "label|pattern|label|pattern" → Qt's "label (patterns)" entries.
QStringList qtFilters(const QString &filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // "*.*" would hide files without a dot on Linux; it means every file.
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the pattern from the label's parentheses, so the label's own
        // "(*.*)" gives way to the pattern Qt should use.
        QString label = parts[i].trimmed();
        if (label.endsWith(QLatin1Char(')')) && label.contains(QLatin1Char('(')))
            label = label.left(label.lastIndexOf(QLatin1Char('('))).trimmed();
        out << label + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return out;
}

} // namespace

QString CommonDialog::overwriteQuestion(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    switch (OutputFile::kindOf(path)) {
    case OutputFile::Kind::Fifo:
        return tr("%1 は FIFO（名前付きパイプ）です。\n置き換えずに、この FIFO へ直接書き込みますか？").arg(name);
    case OutputFile::Kind::CharDevice:
        return tr("%1 はデバイス（キャラクタ型デバイス）です。\n置き換えずに、このデバイスへ直接書き込みますか？").arg(name);
    case OutputFile::Kind::BlockDevice:
        return tr("%1 はデバイス（ブロック型デバイス）です。\n置き換えずに、このデバイスへ直接書き込みますか？").arg(name);
    case OutputFile::Kind::Socket:
    case OutputFile::Kind::Other:
        return tr("%1 は通常のファイルではありません。\n置き換えずに、直接書き込みますか？").arg(name);
    default:
        // Qt's own words for an ordinary file, as its dialog asked before.
        return Translation::qtText("QFileDialog", "%1 already exists.\nDo you want to replace it?").arg(name);
    }
}

bool CommonDialog::mayWrite(QWidget *owner, const QString &path)
{
    if (!(flags & OverwritePrompt) || OutputFile::kindOf(path) == OutputFile::Kind::Missing)
        return true;
    return ask(owner, overwriteQuestion(path));
}

bool QtCommonDialog::ask(QWidget *owner, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, dialogTitle, question, QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    ModalHelper::prepare(&box, owner);
    return box.exec() == QMessageBox::Yes;
}

bool QtCommonDialog::show(QWidget *owner, bool save)
{
    QFileDialog dlg(nullptr, dialogTitle);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any typed name is yielded; a missing file then fails with our own box.
    dlg.setFileMode(QFileDialog::AnyFile);
    // The overwrite question is ours (mayWrite), so that it can say what the path is.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    dlg.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = qtFilters(filter);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    dlg.setDefaultSuffix(defaultExt);
    if (!initDir.isEmpty())
        dlg.setDirectory(initDir);
    if (!fileName.isEmpty())
        dlg.selectFile(fileName);
    ModalHelper::prepare(&dlg, owner);
    for (;;) {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return false;
        const QString chosen = dlg.selectedFiles().constFirst();
        // A no brings the dialog back, as Qt's own question did.
        if (!save || mayWrite(owner, chosen)) {
            fileName = chosen;
            return true;
        }
    }
}
