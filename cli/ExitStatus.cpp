#include "cli/ExitStatus.h"

#include "core/FailureNumber.h"

int ExitStatus::forFailure(qint32 number)
{
    switch (number) {
    case FailureNumber::PortNotNumber:
    case FailureNumber::PortOutOfRange:
    case FailureNumber::Unencodable:
        return BadInput;
    case FailureNumber::TlsVerify:
    case FailureNumber::TlsHandshake:
    case FailureNumber::TlsFile:
        return Tls;
    default:
        // Socket failures (200 and up), the reset, the response limit, and a
        // socket still in use.
        return Connection;
    }
}
