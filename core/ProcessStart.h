#pragma once

// What both programs do first, before anything opens a descriptor.
namespace ProcessStart {
// Which standard descriptors were closed when the program started.
struct Closed
{
    bool input = false;
    bool output = false;
    bool error = false;
};

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, so that no
// socket or file takes its number and has response bytes or messages written
// into it; and ignores SIGXFSZ, so that a write past the file size limit fails
// with EFBIG (reported like a full disk) instead of killing the program.
Closed prepare();
}
