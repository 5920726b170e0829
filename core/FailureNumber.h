#pragma once

#include <QObject>

#include <array>

// Every failure number the programs report, in one list; the README's table
// says what each means. File failures are the system's errno, beside our own
// numbers from 1000 up.
namespace FailureNumber {
Q_NAMESPACE

enum Number : qint32 {
    PortNotNumber = 101,
    PortOutOfRange = 102,
    SocketNotClosed = 103,
    Unencodable = 104, // a request character the chosen encoding cannot carry
    // A socket failure is SocketBase + QAbstractSocket::SocketError.
    SocketUnknown = 199,
    SocketBase = 200,
    ConnectTimedOut = 205,
    ResponseLimit = 240,
    Reset = 250,
    ClosedWithoutResponse = 251,
    // A proxy's answer, in its own words: it would not open the tunnel, it
    // wants (other) credentials, or it could not reach the destination.
    ProxyRefused = 260,
    ProxyAuthentication = 261,
    ProxyUnreachable = 262,
    TlsVerify = 300,    // the server's certificate did not verify
    TlsHandshake = 301, // no TLS session came about
    TlsFile = 302,      // a CA / client certificate / key file is unusable
    TlsHandshakeTimedOut = 303,
    FileUnknown = 1000, // a file error the system gave no number for
    FileNotRegular = 1001,
    RequestTooLarge = 1002,
};
Q_ENUM_NS(Number)

// Named ahead of their use; the README lists a number once something reports it.
constexpr std::array<Number, 0> NotYetReported{};

} // namespace FailureNumber
