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
    case TlsSetup::VerifyFailed:
    case TlsSetup::HandshakeFailed:
    case TlsSetup::FileFailed:
        return Tls;
    default:
        // Socket failures (200 and up), the reset, the response limit, and a
        // socket still in use.
        return Connection;
    }
}
