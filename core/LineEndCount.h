#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// How the lines of some wire bytes end; a CR LF pair counts once, as crlf.
struct LineEndCount
{
    qint64 crlf = 0;
    qint64 lf = 0; // LF without a CR before it
    qint64 cr = 0; // CR without an LF after it
};

LineEndCount countLineEnds(QByteArrayView wire);
