#pragma once

#include <QString>

class QComboBox;

// The most-recently-used list behind a destination combo box: newest first,
// five entries at most, exact (case- and blank-sensitive) comparison.
namespace DestinationHistory {
constexpr int Capacity = 5;
void record(QComboBox *box, const QString &text);
}
