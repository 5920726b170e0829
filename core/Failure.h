#pragma once

#include <QString>
#include <QtGlobal>

// A failure raised by a platform operation: a number from the scheme in the
// README and a description in Japanese, shown to the user as they come.
struct Failure
{
    qint32 number;
    QString description;
    qsizetype at = -1; // the index of the offending character, when a text is at fault
};
