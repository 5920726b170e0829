#pragma once

#include <QString>
#include <optional>

class QApplication;

// The pane floor: how long a bare QPlainTextEdit of the pane's size takes to
// show a text inserted at once. The display figures are ratios to these.
struct FloorFigures
{
    double line4mAnywhere = -1; // a 4 MiB line without spaces, WrapAnywhere
    double lines16m = -1;       // 16 MiB of numbered lines
    double req10m = -1;         // 100,000 lines of <item>…</item>
    QString from;               // where the figures came from, for the report
};

namespace Floor {

// The floor's three texts, made exactly as the floor program makes them.
QString line4m();
QString lines16m();
QString req10m();

// Measured here, best of repeat runs of each case.
FloorFigures measure(QApplication &app, int repeat);
// Read from the floor program's output ("name seconds" a line); nullopt when
// the file cannot be read or lacks one of the three.
std::optional<FloorFigures> read(const QString &path);

} // namespace Floor
