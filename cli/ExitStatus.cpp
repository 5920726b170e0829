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
    case FailureNumber::TlsHandshakeTimedOut:
        return Tls;
    default:
        // Socket failures (200 and up), the response limit, the reset, a close
        // without an answer, and a socket still in use.
        return Connection;
    }
}
