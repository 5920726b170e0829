#pragma once

#include <QByteArray>
#include <QString>

// A request file's bytes as they go on the wire: read whole with the line
// rules of RequestLines. Throws Failure (the system's error number) when the
// file cannot be opened or read to its end, or is not a regular file, so a
// caller replaces nothing on a failure.
namespace RequestFile {
QByteArray load(const QString &path, bool lfEndsLine = false);
}
