#pragma once

#include <QString>

// What the user chose for TLS on a connection. File names may be empty.
struct TlsSettings
{
    bool enabled = false;
    bool verify = true;
    QString caFile;   // extra trusted CA certificates (PEM), besides the system ones
    QString certFile; // client certificate (PEM, or PKCS#12 with keyFile empty)
    QString keyFile;  // client private key (PEM, possibly encrypted)
};
