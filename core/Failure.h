#pragma once

#include <QString>
#include <QtGlobal>

// A failure the user sees: a number from the scheme in the README and a
// description in Japanese.
struct Failure
{
    qint32 number;
    QString description;
};
