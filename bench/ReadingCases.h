#pragma once

class BenchServer;
class Report;
struct BenchWindow;

// Cases 12 and 13: finding in a 256 MiB response through the hex view's find
// bar, and the 整形 page over a 16 MiB XML response.
namespace ReadingCases {
void search(Report &r);
void format(BenchWindow &w, BenchServer &server, Report &r);
}
