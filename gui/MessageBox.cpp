#include "gui/MessageBox.h"

#include "gui/ModalHelper.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QMessageBox>

void QtMessageBox::showError(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    // A short message makes a box narrower than its own title; a window
    // manager then cuts "エラーメッセージ" to "エラー… セージ".
    const int titleRoom = box.fontMetrics().horizontalAdvance(title()) * 2 + 120;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleRoom, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
    ModalHelper::prepare(&box, owner);
    box.exec();
}

bool QtMessageBox::confirm(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("MessageBox", "確認"), text,
                    QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    ModalHelper::prepare(&box, owner);
    return box.exec() == QMessageBox::Yes;
}
