#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

// The error message box: title "エラーメッセージ", an OK button only, modal.
class MessageBox
{
    Q_DECLARE_TR_FUNCTIONS(MessageBox)

public:
    virtual ~MessageBox() = default;
    // Returns once the user has dismissed the box.
    virtual void showError(QWidget *owner, const QString &text) = 0;
    // A yes/no question; true for yes. No is the default button.
    virtual bool confirm(QWidget *owner, const QString &text) = 0;
    // A question with a few answers, the last of them the one that changes
    // nothing (what Esc and the close button mean); returns the index of the
    // answer chosen. A box that cannot ask takes the last answer.
    virtual int ask(QWidget *owner, const QString &text, const QStringList &answers);

    static QString title() { return tr("エラーメッセージ"); }
};

class QtMessageBox : public MessageBox
{
public:
    void showError(QWidget *owner, const QString &text) override;
    bool confirm(QWidget *owner, const QString &text) override;
    int ask(QWidget *owner, const QString &text, const QStringList &answers) override;
};
