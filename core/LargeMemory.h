#pragma once

#include <QtGlobal>

// How the program holds large arrays: a response of a gigabyte, its text
// when copied.
namespace LargeMemory {

// From here on, arrays of a megabyte or more are mapped when the heap has no
// room for them, so that freeing one gives it back at once. Called before
// anything large is allocated.
void mapLargeArrays();
// A capacity of at least `wanted` for an array that will grow: above a
// megabyte, more than the heap has free, so that the array is mapped and
// growing it remaps it in place rather than copying it (a stall and a
// transient second copy). The room beyond what is used costs no memory.
qint64 growableCapacity(qint64 wanted);
// Asks for the pages of [data, data + size) to be huge ones where the system
// allows them: faulting in a gigabyte 4 KiB at a time costs more than
// receiving it.
void preferHugePages(const void *data, qint64 size);

} // namespace LargeMemory
