#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Asks for the password of an encrypted key or PKCS#12 file, or of a proxy,
// on the controlling terminal, without echo. Standard input may hold the request, so the
// terminal is opened by name. Throws Failure (TLS files) when there is none.
namespace TerminalPassword {
std::optional<QByteArray> ask(const QString &subject);
}
