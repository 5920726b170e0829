#include "core/HostText.h"

#include <QHostAddress>

QString HostText::forConnecting(const QString &typed)
{
    if (typed.size() < 3 || !typed.startsWith(QLatin1Char('[')) || !typed.endsWith(QLatin1Char(']')))
        return typed;
    const QString inside = typed.mid(1, typed.size() - 2);
    const QHostAddress address(inside);
    return address.protocol() == QAbstractSocket::IPv6Protocol ? inside : typed;
}
