#include "core/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QList>
#include <QPointer>
#include <QTranslator>

namespace Translation {

namespace {

Language g_current = Language::Japanese;
QList<QPointer<QTranslator>> g_installed;

QTranslator *load(QCoreApplication *app, const QString &name, const QString &folder)
{
    auto *t = new QTranslator(app);
    if (!t->load(name, folder)) {
        delete t;
        return nullptr;
    }
    QCoreApplication::installTranslator(t);
    g_installed << t;
    return t;
}

} // namespace

QString code(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<Language> fromCode(const QString &code)
{
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("ja"))
        return Language::Japanese;
    if (c == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

Language fromEnvironment()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value.startsWith("en") ? Language::English : Language::Japanese;
    }
    return Language::Japanese;
}

std::optional<QString> argument(const QStringList &arguments)
{
    std::optional<QString> value;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--lang"))
            value = arguments.value(++i);
        else if (a.startsWith(QLatin1String("--lang=")))
            value = a.mid(7);
    }
    return value;
}

bool install(QCoreApplication *app, Language language)
{
    for (const QPointer<QTranslator> &t : std::as_const(g_installed)) {
        if (t) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    g_installed.clear();
    g_current = language;
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == Language::Japanese)
        return load(app, QStringLiteral("qtbase_ja"), qtFolder) != nullptr;
    // Qt's English needs no catalogue; qtbase_en, where installed, only
    // refines its wording.
    load(app, QStringLiteral("qtbase_en"), qtFolder);
    return load(app, QStringLiteral("wireprobedesk_en"), QStringLiteral(":/i18n")) != nullptr;
}

Language current()
{
    return g_current;
}

QString qtText(const char *context, const char *sourceText)
{
    return QCoreApplication::translate(context, sourceText);
}

} // namespace Translation
