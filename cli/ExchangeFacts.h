#pragma once

#include "core/Failure.h"
#include "core/ProxySettings.h"

#include <QString>
#include <optional>

// What the reports say about one run beyond what the engine keeps.
struct ExchangeFacts
{
    QString host;
    std::optional<qint32> port;
    bool tls = false;
    ProxySettings proxy;                        // never its password
    QString outcome = QStringLiteral("failed"); // completed, timeout, failed, interrupted
    std::optional<Failure> failure;
    std::optional<Failure> outputFailure;
    // Taken when the session came up; the socket forgets them once closed.
    bool tlsEstablished = false;
    QString tlsProtocol;
    QString tlsCipher;
    bool tlsVerified = false;
    int exitStatus = 0;
};
