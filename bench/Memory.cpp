#include "Memory.h"

#include <QByteArray>
#include <QFile>
#include <malloc.h>

namespace {

qint64 statusKiB(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

qint64 Memory::resident()
{
    return statusKiB("VmRSS") * 1024;
}

qint64 Memory::peak()
{
    return statusKiB("VmHWM") * 1024;
}

bool Memory::resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

void Memory::trim()
{
    malloc_trim(0);
}
