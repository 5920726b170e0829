#include "platform/ModalHelper.h"

#include <QWidget>
#include <QWindow>

void ModalHelper::prepare(QWidget *dialog, QWidget *owner)
{
    dialog->setWindowModality(Qt::ApplicationModal);
    if (!owner)
        return;
    dialog->winId(); // creates the native window so it can be given a transient parent
    QWidget *top = owner->window();
    if (dialog->windowHandle() && top->windowHandle())
        dialog->windowHandle()->setTransientParent(top->windowHandle());
}
