#include "gui/wireProbeDeskForm.h"

// The folder part of a path: everything up to and including its last "/", or
// the empty text when it has none.
QString wireProbeDeskForm::StripPath(const QString &rsFileName)
{
    qsizetype i = rsFileName.size();
    while (i >= 1 && rsFileName[i - 1] != QLatin1Char('/'))
        --i;
    return rsFileName.left(i);
}
