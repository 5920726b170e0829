#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

// The error message box: title "エラーメッセージ", an OK button only, modal;
// and the question for the password of a key or PKCS#12 file.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Returns once the user has dismissed the box.
    virtual void showError(QWidget *owner, const QString &text) = 0;
    // A yes/no question; true for yes. No is the default button.
    virtual bool confirm(QWidget *owner, const QString &text) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QByteArray> askPassword(QWidget *owner, const QString &file) = 0;

    static QString title() { return QStringLiteral("エラーメッセージ"); }
};

class QtMessageBox : public MessageBox
{
public:
    void showError(QWidget *owner, const QString &text) override;
    bool confirm(QWidget *owner, const QString &text) override;
    std::optional<QByteArray> askPassword(QWidget *owner, const QString &file) override;
};
