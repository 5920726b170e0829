#pragma once

#include "cli/ExchangeFacts.h"

#include <QByteArray>

class ExchangeEngine;

// The --json report: one compact JSON object, fields as the manual page lists them.
QByteArray jsonReport(const ExchangeFacts &facts, const ExchangeEngine &engine);
