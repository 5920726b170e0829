#pragma once

#include <QtGlobal>

// The program's exit statuses, as its manual page lists them.
namespace ExitStatus {
enum : int {
    Completed = 0,
    TimedOut = 1,
    Connection = 2, // refused, not found, reset, closed without an answer, network, connect time-out, response limit
    Tls = 3,        // verification, handshake (failed or timed out), unusable TLS files or password
    BadInput = 4,   // usage, port, request file, encoding
    Output = 5,     // the response could not be written
    HttpIncomplete = 6, // with --http-end: the server closed before the HTTP response ended
    SignalBase = 128,
    ReaderGone = SignalBase + 13, // the reader of the output stopped early (as SIGPIPE would end us)
};

// The status for a failure number of the README's scheme, as raised while
// the exchange is set up or runs.
int forFailure(qint32 number);
}
