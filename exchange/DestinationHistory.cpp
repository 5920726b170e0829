#include "exchange/DestinationHistory.h"

#include <QComboBox>

void DestinationHistory::record(QComboBox *box, const QString &text)
{
    int found = -1;
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i) == text) {
            found = i;
            break;
        }
    }
    if (found >= 0) {
        for (int i = found; i >= 1; --i)
            box->setItemText(i, box->itemText(i - 1));
    } else {
        if (box->count() < Capacity)
            box->addItem(QString());
        for (int i = Capacity - 1; i >= 1; --i)
            if (i < box->count())
                box->setItemText(i, box->itemText(i - 1));
    }
    box->setItemText(0, text);
    box->setCurrentIndex(0);
    box->setEditText(text);
}
