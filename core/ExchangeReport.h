#pragma once

#include <QString>
#include <QStringList>

class ExchangeEngine;
class HttpFraming;

// What an exchange says to the user, in one place for the window and the
// command-line program.
namespace ExchangeReport {
QString addressMissing();
QString portMissing();
QString requestMissing();
QString waiting();
QString completed();
QString timedOut(int seconds);
// For an HTTP response that the server closed before it had ended by its own
// framing: what is missing (short by n bytes, no last chunk, no end of the
// header). Empty when it is complete, framed by the close, or not HTTP.
QString httpIncomplete(const HttpFraming &framing);
// "12.3 ms"; "—" for a phase that did not happen (negative).
QString milliseconds(double ms);
// "1,234 バイト", or in the language installed.
QString bytesText(qint64 n);
// Byte counts (and the rate while it runs), the time of each phase, the HTTP
// framing and what TLS verification found. heldOpenNote is said when a
// complete HTTP response was held open until the time-out: the caller's
// sentence naming its own way to complete such a response.
QStringList summary(const ExchangeEngine &e, const QString &heldOpenNote);
}
