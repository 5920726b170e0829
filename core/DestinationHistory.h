#pragma once

#include <QString>
#include <QStringList>

// The most-recently-used list behind a destination field: newest first, five
// entries at most, exact (case- and blank-sensitive) comparison. The first
// copy of the text from the top moves to the top; the rest keep their order.
namespace DestinationHistory {
constexpr int Capacity = 5;
QStringList record(QStringList list, const QString &text);
}
