#include "cli/ExitStatus.h"

#include "core/PortText.h"
#include "core/TextCodec.h"
#include "core/TlsSetup.h"

int ExitStatus::forFailure(qint32 number)
{
    switch (number) {
    case PortText::ErrNotNumber:
    case PortText::ErrOutOfRange:
    case TextCodec::ErrUnencodable:
        return BadInput;
    default:
        break;
    }
    // TLS failures are the 300s (verification, handshake, files, handshake time-out).
    if (number >= TlsSetup::VerifyFailed && number < 400)
        return Tls;
    // Socket failures (200 and up), the response limit, the reset, a close
    // without an answer, and a socket still in use.
    return Connection;
}
