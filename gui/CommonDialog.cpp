#include "gui/CommonDialog.h"

#include "gui/ModalHelper.h"

#include <QFileDialog>
#include <QFileInfo>

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

bool QtCommonDialog::show(QWidget *owner, bool save)
{
    QFileDialog dlg(nullptr, dialogTitle);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any typed name is yielded; a missing file then fails with our own box.
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(flags & OverwritePrompt));
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
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    fileName = dlg.selectedFiles().constFirst();
    return true;
}
