#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

// The language of the user interface. The texts are written in Japanese, the
// source language; English comes from the catalogue built from
// translations/wireprobedesk_en.ts and linked into each program.
namespace Translation {

enum class Language { Japanese, English };

// "ja" and "en", as the setting, --lang and the catalogue name them.
QString code(Language language);
// nullopt for anything but "ja" or "en" (blanks and case aside).
std::optional<Language> fromCode(const QString &code);

// The language the environment asks for, as POSIX orders the variables:
// LC_ALL, else LC_MESSAGES, else LANG, the first that is set and not empty.
// English when that starts with "en"; Japanese otherwise (C, POSIX, ja_JP …).
Language fromEnvironment();

// The value of --lang VALUE or --lang=VALUE among a window's arguments
// (the program's name first); the last one given wins, "--" ends the options.
std::optional<QString> argument(const QStringList &arguments);

// Puts the language's texts in place: for English the program's catalogue
// and Qt's qtbase_en when present; for Japanese Qt's qtbase_ja (dialog
// buttons, socket failures). Replaces what an earlier call installed. False
// when a catalogue the language needs could not be loaded (Qt's own texts
// are not needed: without them Qt speaks English).
bool install(QCoreApplication *app, Language language);
// What install() last put in place; Japanese before any call.
Language current();

// A text of Qt's own in Qt's translation of it, for failures worded as Qt
// words them. Kept out of the program's catalogue on purpose.
QString qtText(const char *context, const char *sourceText);

} // namespace Translation
