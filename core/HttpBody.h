#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The body of a kept response, made ready to read: the header set apart, a
// chunked body joined, a gzip or deflate body decompressed. The kept bytes are
// only read. Bytes that are not an HTTP/1.x response are the body as they are.
struct HttpBody
{
    bool http = false; // an HTTP/1.x response whose header block ended
    QByteArray bytes;
    QString contentType; // media type from Content-Type, without parameters
    QString charset;     // Content-Type's charset, as sent
    QStringList notes;   // what the reader should know, one line each
    bool cut = false;    // decompression stopped at the limit
};

// limit bounds the decompressed size; headRequest: the request was HEAD.
HttpBody extractBody(QByteArrayView response, qint64 limit, bool headRequest = false);
