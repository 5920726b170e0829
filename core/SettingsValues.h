#pragma once

#include <QString>

// The texts of stored numbers: integers plain, single-precision values with at
// most 7 significant digits, no trailing zeros, no point for whole numbers.
namespace SettingsValues {
QString formatSingle(float v);
QString formatInt(int v);
// A text that does not parse as a finite number gives def.
float parseSingle(const QString &text, float def);
// A text that does not parse gives def; a number outside [min, max] the nearest bound.
int parseInt(const QString &text, int def, int min, int max);
}
