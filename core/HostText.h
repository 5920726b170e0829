#pragma once

#include <QString>

namespace HostText {
// The host to connect to, as typed: an IPv6 address in brackets, as URLs write
// it ("[::1]"), without its brackets; anything else as it is. A name never
// has brackets, so nothing that could be one changes.
QString forConnecting(const QString &typed);
}
