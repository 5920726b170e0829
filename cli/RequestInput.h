#pragma once

#include <QByteArray>
#include <QString>

// The request's bytes as they go on the wire, from a file or standard input:
// with the window's line rules (RequestLines), or unchanged when binary.
// Throws Failure with the system's error number when it cannot be read.
namespace RequestInput {
QByteArray read(const QString &path, bool fromStdin, bool binary, bool lfEndsLine);
}
