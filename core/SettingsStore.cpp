#include "core/SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

SettingsStore::SettingsStore(QString folder) : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SettingsStore::filePath(const QString &app) const
{
    return m_folder + QLatin1Char('/') + app + QLatin1Char('/') + app + QStringLiteral(".ini");
}

QString SettingsStore::read(const QString &app, const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    QSettings s(filePath(app), QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return defaultValue;
    s.beginGroup(section);
    const QVariant v = s.value(key);
    if (!v.isValid())
        return defaultValue;
    // A value QSettings read as a list ("a, b") is still one text to us.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

bool SettingsStore::write(const QString &app, const QString &section, const Values &values)
{
    QSettings s(filePath(app), QSettings::IniFormat);
    // A file we cannot parse is left as it is rather than rewritten with only our key.
    if (s.status() != QSettings::NoError)
        return false;
    s.beginGroup(section);
    for (const auto &[key, value] : values)
        s.setValue(key, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}
