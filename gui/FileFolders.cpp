// The folders the file dialogs start in, and the folder part of a chosen path.
#include "gui/wireProbeDeskForm.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Qt's file dialog reads every entry of the folder it shows; under these,
// entries such as /proc/kmsg block for ever.
bool isSystemFolder(const QString &folder)
{
    for (const QString &path : {QDir::cleanPath(folder), QFileInfo(folder).canonicalFilePath()}) {
        for (const char *top : {"/proc", "/sys", "/dev"}) {
            const QString t = QLatin1String(top);
            if (path == t || path.startsWith(t + QLatin1Char('/')))
                return true;
        }
    }
    return false;
}

} // namespace

QString wireProbeDeskForm::dialogFolder(const Settings::Setting<QString> &setting) const
{
    QString folder = m_settings.get(setting);
    if (folder.isEmpty() || isSystemFolder(folder))
        return QDir::homePath() + QLatin1Char('/');
    return folder;
}

void wireProbeDeskForm::rememberFolder(const Settings::Setting<QString> &setting, const QString &fileName)
{
    const QString folder = StripPath(fileName);
    if (!isSystemFolder(folder))
        m_settings.set(setting, folder);
}

// The folder part of a path: everything up to and including its last "/", or
// the empty text when it has none.
QString wireProbeDeskForm::StripPath(const QString &rsFileName)
{
    qsizetype i = rsFileName.size();
    while (i >= 1 && rsFileName[i - 1] != QLatin1Char('/'))
        --i;
    return rsFileName.left(i);
}
