#include "gui/MessageBox.h"

#include "gui/ModalHelper.h"

#include <QMessageBox>

void QtMessageBox::showError(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    ModalHelper::prepare(&box, owner);
    box.exec();
}
