#pragma once

#include "core/Failure.h"

namespace FileFailure {
// Failure numbers are the system's error numbers (errno); these are our own.
constexpr qint32 NotRegularFile = 1001;
constexpr qint32 Unknown = 1000;
constexpr qint32 TooLarge = 1002;

// A failure for the system error number err, described in Japanese.
Failure fromErrno(int err);
Failure notRegularFile();
// A request larger than the most the program reads (limit, in bytes).
Failure tooLarge(qint64 limit);
}
