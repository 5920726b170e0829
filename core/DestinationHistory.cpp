#include "core/DestinationHistory.h"

QStringList DestinationHistory::record(QStringList list, const QString &text)
{
    const qsizetype found = list.indexOf(text);
    if (found >= 0)
        list.removeAt(found);
    else if (list.size() >= Capacity)
        list.removeLast();
    list.prepend(text);
    return list;
}
