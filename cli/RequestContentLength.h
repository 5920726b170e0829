#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Sets the Content-Length of request bytes to the body's length as sent. The
// bytes are edited in place of being decoded and encoded again, so everything
// but the header's value (or the added header line) goes out unchanged.
namespace RequestContentLength {
struct Result
{
    QByteArray request;
    QStringList notes; // what changed, and whether the body reads as text in the encoding
};

Result fix(const QByteArray &request, const QString &encoding);
}
