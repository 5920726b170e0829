#pragma once

class BenchServer;
class Report;
struct BenchWindow;

// The history's cases: 8 recording a 256 MiB exchange, 9 a search over
// 10,000 entries, 10 opening the history window over 100,000 entries,
// 11 comparing two 16 MiB responses.
namespace HistoryBench {
void recording(BenchWindow &w, BenchServer &server, Report &r);
void searchAndOpen(BenchWindow &w, Report &r, bool search, bool open);
void comparing(BenchWindow &w, Report &r);
}
