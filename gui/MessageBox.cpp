#include "gui/MessageBox.h"

#include "gui/ModalHelper.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

int MessageBox::ask(QWidget *, const QString &, const QStringList &answers)
{
    return int(answers.size()) - 1;
}

void QtMessageBox::showError(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    // A short message makes a box narrower than its own title; a window
    // manager then cuts "エラーメッセージ" to "エラー… セージ".
    const int titleRoom = box.fontMetrics().horizontalAdvance(title()) * 2 + 120;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleRoom, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0,
                      1, grid->columnCount());
    ModalHelper::prepare(&box, owner);
    box.exec();
}

int QtMessageBox::ask(QWidget *owner, const QString &text, const QStringList &answers)
{
    QMessageBox box(QMessageBox::Question, MessageBox::tr("確認"), text, QMessageBox::NoButton);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const bool last = i + 1 == answers.size();
        buttons << box.addButton(answers[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!buttons.isEmpty()) {
        box.setEscapeButton(buttons.last());
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    }
    ModalHelper::prepare(&box, owner);
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return int(chosen < 0 ? answers.size() - 1 : chosen);
}

bool QtMessageBox::confirm(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Question, MessageBox::tr("確認"), text, QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    ModalHelper::prepare(&box, owner);
    return box.exec() == QMessageBox::Yes;
}
