#pragma once

#include <QByteArrayView>
#include <QString>

// Unbuffered writes to a descriptor, so response bytes leave as they arrive
// and nothing of ours is held in a stdio buffer at exit.
namespace FdOutput {
// Writes every byte; returns 0, or the system's error number of the write that failed.
int writeAll(int fd, QByteArrayView bytes);
// One line of text on standard error; failures there have nowhere to go.
void say(const QString &line);
}
