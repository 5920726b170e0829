#pragma once

#include <QtGlobal>

// This process's memory from /proc/self/status, in bytes.
namespace Memory {

qint64 resident();
// The high-water mark of resident memory since the start or the last reset.
qint64 peak();
// Resets the high-water mark to the present resident size (Linux: "5" to
// /proc/self/clear_refs); false where that is not allowed.
bool resetPeak();
// Gives freed heap back to the system, so that "idle" is what is really held.
void trim();

} // namespace Memory
