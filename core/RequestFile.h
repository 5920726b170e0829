#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A request's bytes as they go on the wire: read whole with the line rules of
// RequestLines, or unchanged. Throws Failure (the system's error number, or
// FileFailure's own) when the source cannot be opened or read to its end, is
// not a regular file, or holds more than the limit, so a caller replaces
// nothing on a failure.
namespace RequestFile {
// The most bytes read unless the caller says otherwise.
constexpr qint64 DefaultLimit = qint64(1) << 30;

struct Rules
{
    bool lfEndsLine = false;
    bool unchanged = false; // the bytes as they are, without the line rules
    // The most bytes read from the source. A file's size is checked before
    // anything is read, a stream's count as it is read. (The line rules may
    // add up to one byte for each byte read.)
    qint64 limit = DefaultLimit;
};

QByteArray load(const QString &path, bool lfEndsLine = false);
QByteArray load(const QString &path, const Rules &rules);
// Everything until the end of an open descriptor that may be a pipe or a
// terminal (standard input).
QByteArray read(int fd, const Rules &rules);
}
