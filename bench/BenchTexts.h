#pragma once

#include "BenchServer.h"

#include <QByteArray>
#include <QString>

// The texts the bench streams and loads, the same as the pane floor's, made a
// piece at a time so that the large ones are never held whole by the bench.
namespace BenchTexts {

// The floor's numbered lines ("00000000 0123…XYZ abc…xyz 0123456789 ..\n"),
// whole lines until at least total bytes.
std::unique_ptr<ByteSource> numberedLines(qint64 total);
// One byte over and over (a flood of line ends).
std::unique_ptr<ByteSource> repeated(char byte, qint64 total);
// "QUJD" over and over, total bytes, no spaces and no line end.
std::unique_ptr<ByteSource> noSpaces(qint64 total);
// The whole of a source, for the smaller texts.
QByteArray all(ByteSource &source);
// The floor's 10 MiB request: 100,000 lines of <item>digits</item>.
QByteArray request10m();

} // namespace BenchTexts
