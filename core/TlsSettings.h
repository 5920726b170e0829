#pragma once

#include <QString>

struct TlsSettings
{
    bool enabled = false;
    bool verify = true;
    QString caFile;
    QString certFile;
    QString keyFile;
};
