#pragma once

#include <QtGlobal>

// How the program holds large arrays: a response of a gigabyte, its text
// when copied.
namespace LargeMemory {

// A capacity of at least `wanted` for an array that will grow: above a
// megabyte, more than the heap has free, so that it is taken from fresh
// memory (mapped, or at the heap's top) and growing it remaps or extends it
// in place rather than copying it (a stall and a transient second copy).
// The room beyond what is used costs no memory until it is written.
qint64 growableCapacity(qint64 wanted);
// Asks for the pages of [data, data + size) to be huge ones where the system
// allows them: faulting in a gigabyte 4 KiB at a time costs more than
// receiving it.
void preferHugePages(const void *data, qint64 size);

} // namespace LargeMemory
