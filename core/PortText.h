#pragma once

#include "core/Failure.h"

#include <QString>
#include <QtGlobal>

namespace PortText {
// The port as typed → a signed 32-bit number. Blanks around the digits and a
// leading sign are accepted; anything else throws Failure.
qint32 toInt(const QString &text);
// The failure of a port outside 1..65535.
Failure rangeFailure();
}
