#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <functional>
#include <memory>

// Where a response is written. An existing FIFO or device is written into
// directly: renaming over it would put a regular file in its place (as root,
// -o /dev/null would replace the system's). Anything else is written to a
// temporary file beside the path that replaces it at commit(), so a failure
// leaves an existing file as it was. Throws Failure (the system's error number).
class OutputFile
{
public:
    // What a path names now, as far as saving over it goes.
    enum class Kind { Missing, Regular, Folder, Fifo, CharDevice, BlockDevice, Socket, Other };
    static Kind kindOf(const QString &path);

    // With waitForReader, opening a FIFO waits until something opens it for
    // reading; without, a FIFO nobody reads fails at once (ENXIO).
    explicit OutputFile(const QString &path, bool waitForReader = false);
    ~OutputFile(); // not committed: the temporary file goes, the old one stays
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    int descriptor() const { return m_fd; }
    bool inPlace() const { return !m_save; }
    // The temporary file's path as the system names it; empty when in place.
    QByteArray temporaryPath() const;
    // Writes every byte. A descriptor that is not ready is waited for in short
    // polls with between() run in each, so a window keeps answering.
    void write(QByteArrayView bytes, const std::function<void()> &between = {});
    // The temporary file, on disk, takes the path's place.
    void commit();

private:
    std::unique_ptr<QSaveFile> m_save;
    int m_fd = -1; // the temporary file's (owned by m_save) or the target's own
};
