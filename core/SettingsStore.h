#pragma once

#include <QList>
#include <QString>
#include <utility>

// The per-user store of text values, addressed by application, section and key.
// Each application keeps one INI file, <folder>/<application>/<application>.ini,
// under the user's configuration folder (XDG). Every read and write stands alone:
// nothing is cached, so two running copies see each other's writes.
class SettingsStore
{
public:
    // folder empty: the user's configuration folder.
    explicit SettingsStore(QString folder = QString());
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the key is absent or the store
    // cannot be read; a present empty key reads as the empty text.
    virtual QString read(const QString &app, const QString &section, const QString &key,
                         const QString &defaultValue) const;
    using Values = QList<std::pair<QString, QString>>;
    // Writes the keys together, with one sync. Returns false when the store
    // could not be written; nothing is reported.
    virtual bool write(const QString &app, const QString &section, const Values &values);
    bool write(const QString &app, const QString &section, const QString &key, const QString &value)
    {
        return write(app, section, Values{{key, value}});
    }

    QString filePath(const QString &app) const;

private:
    QString m_folder;
};
