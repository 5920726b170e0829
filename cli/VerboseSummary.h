#pragma once

#include <QStringList>

class ExchangeEngine;

// The --verbose lines at the end of an exchange: byte counts, the timings of
// each step, the HTTP framing as read, and what TLS verification would have
// found when it was off. The same words as the window's details.
QStringList verboseSummary(const ExchangeEngine &engine);
