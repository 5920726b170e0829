#pragma once

#include "core/BodyFormat.h"
#include "core/BodyText.h"
#include "core/HttpBody.h"
#include "core/SoapFault.h"

#include <QByteArray>
#include <QStringList>

#include <atomic>
#include <optional>

// A kept response's body as the 整形 page shows it: set apart from the header,
// joined and decompressed, decoded in the charset the response names, laid out,
// and any SOAP Fault in it. Reads the kept bytes only. Safe to run off the GUI
// thread on a copy of the bytes.
struct ReadableBody
{
    // The body is laid out up to this many bytes; a larger one is cut there.
    static constexpr qint64 MaxFormatBytes = qint64(64) << 20;

    HttpBody body; // bytes emptied once decoded
    BodyText text; // text emptied once laid out
    BodyFormat::Result formatted;
    std::optional<SoapFault> fault;
    bool cancelled = false;

    // Lines for the reader: the charset and why, how the body was read.
    QStringList about() const;
};

struct ReadableSetup
{
    qint64 limit = qint64(512) << 20; // the response limit bounds decompression
    QString chosenEncoding = QStringLiteral("UTF-8");
    bool headRequest = false;
};

ReadableBody readBody(const QByteArray &response, const ReadableSetup &setup, const std::atomic_bool *cancel = nullptr);
