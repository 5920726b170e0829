#pragma once

#include <QByteArray>
#include <QString>

// The name a list shows for a request: its SOAPAction header when it has one,
// else the local name of the first element inside the SOAP Body, else its
// first line. Only the start of a large request is read.
namespace HistoryLabel {
QString of(const QByteArray &request, const QString &encoding);
}
