#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>

// Writes bytes to a file that replaces path only once every byte is on disk:
// a failed save leaves an existing file as it was. An existing FIFO or device
// is written into instead (OutputFile). Throws Failure (the system's error
// number). between runs after each slice, so a caller can keep its window
// answering while a large response is written.
namespace ResponseFile {
void save(const QString &path, QByteArrayView bytes, const std::function<void()> &between = {});
}
