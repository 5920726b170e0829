#pragma once

#include <QString>

class QWidget;

// The error message box: title "エラーメッセージ", an OK button only, modal.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Returns once the user has dismissed the box.
    virtual void showError(QWidget *owner, const QString &text) = 0;
    // A yes/no question; true for yes. No is the default button.
    virtual bool confirm(QWidget *owner, const QString &text) = 0;

    static QString title() { return QStringLiteral("エラーメッセージ"); }
};

class QtMessageBox : public MessageBox
{
public:
    void showError(QWidget *owner, const QString &text) override;
    bool confirm(QWidget *owner, const QString &text) override;
};
