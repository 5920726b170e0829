#pragma once

#include "core/Failure.h"

namespace FileFailure {
// Failure numbers are the system's error numbers (errno), beside our own
// (FailureNumber::FileUnknown, FileNotRegular, RequestTooLarge).
// A failure for the system error number err, described in Japanese.
Failure fromErrno(int err);
Failure notRegularFile();
// A request larger than the most the program reads (limit, in bytes).
Failure tooLarge(qint64 limit);
}
