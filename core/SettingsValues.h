#pragma once

#include <QString>

// The texts of stored values: integers plain, single-precision values with at
// most 7 significant digits, no trailing zeros, no point for whole numbers,
// booleans 1 or 0.
namespace SettingsValues {
QString formatSingle(float v);
QString formatInt(int v);
QString formatBool(bool v);
// A text that does not parse as a finite number gives def.
float parseSingle(const QString &text, float def);
// A text that does not parse gives def; a number outside [min, max] the nearest bound.
int parseInt(const QString &text, int def, int min, int max);
// 1/0 and true/false (any case, blanks around ignored); anything else gives def,
// so a damaged value never turns a safeguard off.
bool parseBool(const QString &text, bool def);
}
