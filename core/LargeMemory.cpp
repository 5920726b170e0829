#include "core/LargeMemory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr int MappedFrom = 1 << 20;
constexpr qint64 HugeFrom = qint64(8) << 20;
} // namespace

qint64 LargeMemory::growableCapacity(qint64 wanted)
{
    if (wanted < MappedFrom)
        return wanted;
    // The heap gives a request from its free room when it can; a request
    // larger than all of it is mapped.
    const struct mallinfo2 heap = mallinfo2();
    return qMax(wanted, qint64(heap.fordblks) + MappedFrom);
}

void LargeMemory::preferHugePages(const void *data, qint64 size)
{
#ifdef MADV_HUGEPAGE
    if (size < HugeFrom)
        return;
    const quintptr page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr at = quintptr(data);
    const quintptr first = (at + page - 1) & ~(page - 1);
    const quintptr last = (at + quintptr(size)) & ~(page - 1);
    // An offset from the caller's pointer rather than a pointer made from a number.
    if (last > first)
        madvise(static_cast<char *>(const_cast<void *>(data)) + (first - at), last - first, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}
