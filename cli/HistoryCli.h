#pragma once

#include "cli/ExchangeFacts.h"
#include "cli/SendOptions.h"

class ExchangeEngine;

// The command line on the window's history store: listing, re-sending and
// exporting entries, and recording a send with --record. Each answers an exit
// status of ExitStatus; a history that cannot be read or written is said on
// standard error and never changes how an exchange went.
namespace HistoryCli {
// --history [N]: the newest N entries on standard output, one a line.
int list(const SendOptions &options);
// --export ID DIR: ID-request.txt and ID-response.txt, byte for byte.
int exportEntry(const SendOptions &options);
// --replay ID: the recorded request, destination, TLS and encoding into
// options, where the command line did not give its own. 0 when it can be sent.
int prepareReplay(SendOptions &options);
// The response bytes a recorded entry keeps at most (the history's per-entry cap).
qint64 recordCap();
// --record: the exchange the engine has just ended, if it got as far as a
// connection attempt. The engine streams without keeping the response: kept
// is what the caller kept of it, up to recordCap().
void record(const ExchangeEngine &engine, const ExchangeFacts &facts, const SendOptions &options, const QByteArray &kept);
}
