#include "core/ResponseFile.h"

#include "core/FileFailure.h"

#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>

namespace {
constexpr qsizetype Slice = 4 << 20;
} // namespace

void ResponseFile::save(const QString &path, QByteArrayView bytes, const std::function<void()> &between)
{
    QSaveFile file(path);
    // No direct-write fallback: a folder we cannot create a temporary file in
    // is a failure, not a reason to truncate the user's file in place.
    file.setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered, so that a full disk or a file size limit shows in the count
    // each write returns; QSaveFile::commit() can report success after a
    // buffered write has failed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileFailure::fromErrno(errno);
    qsizetype done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = file.write(bytes.constData() + done, qMin(Slice, bytes.size() - done));
        if (n <= 0 || file.error() != QFileDevice::NoError) {
            const int err = errno ? errno : ENOSPC;
            file.cancelWriting();
            throw FileFailure::fromErrno(err);
        }
        // Start writing this slice to disk and wait for the one before: the
        // sync in commit() then finds little left to do, instead of stalling
        // on the whole file at once.
        const int fd = file.handle();
        ::sync_file_range(fd, done, n, SYNC_FILE_RANGE_WRITE);
        if (done > 0)
            ::sync_file_range(fd, done - Slice, Slice,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
        done += n;
        if (between && done < bytes.size())
            between();
    }
    errno = 0;
    if (file.error() != QFileDevice::NoError || !file.commit())
        throw FileFailure::fromErrno(errno);
}
