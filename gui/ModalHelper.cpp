#include "gui/ModalHelper.h"

#include <QWidget>
#include <QWindow>

void ModalHelper::prepare(QWidget *dialog, QWidget *owner)
{
    dialog->setWindowModality(Qt::ApplicationModal);
    if (!owner)
        return;
    QWidget *top = owner->window();
    // Centred over the window, as a child dialog would be.
    dialog->adjustSize();
    dialog->move(top->frameGeometry().center() - dialog->rect().center());
    dialog->winId(); // creates the native window so it can be given a transient parent
    if (dialog->windowHandle() && top->windowHandle())
        dialog->windowHandle()->setTransientParent(top->windowHandle());
}
