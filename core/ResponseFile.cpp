#include "core/ResponseFile.h"

#include "core/OutputFile.h"

#include <fcntl.h>

namespace {
constexpr qsizetype Slice = 4 << 20;
} // namespace

void ResponseFile::save(const QString &path, QByteArrayView bytes, const std::function<void()> &between)
{
    OutputFile file(path);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qsizetype n = qMin(Slice, bytes.size() - done);
        file.write(bytes.sliced(done, n), between);
        if (!file.inPlace()) {
            // Start writing this slice to disk and wait for the one before: the
            // sync in commit() then finds little left to do, instead of stalling
            // on the whole file at once.
            const int fd = file.descriptor();
            ::sync_file_range(fd, done, n, SYNC_FILE_RANGE_WRITE);
            if (done > 0)
                ::sync_file_range(fd, done - Slice, Slice,
                                  SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
        }
        done += n;
        if (between && done < bytes.size())
            between();
    }
    file.commit();
}
