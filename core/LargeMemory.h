#pragma once

#include <QtGlobal>

// How the program holds large arrays: a response of a gigabyte, its text
// when copied.
namespace LargeMemory {

// From here on, arrays of a megabyte or more are mapped, so that growing one
// remaps it in place instead of copying it (a transient second copy). Called
// before anything large is allocated: once the heap holds large free space,
// large arrays are taken from there.
void mapLargeArrays();
// Asks for the pages of [data, data + size) to be huge ones where the system
// allows them: faulting in a gigabyte 4 KiB at a time costs more than
// receiving it.
void preferHugePages(const void *data, qint64 size);
// Gives freed memory back to the system. Growing a large array copies it
// when the heap has room for the copy; the old one, freed, would otherwise
// stay with the program.
void releaseFreed();

} // namespace LargeMemory
