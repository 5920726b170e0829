#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

// The window's one file dialog, shared by Open and Save. Every property keeps
// the value of its previous use until a command sets it again.
class CommonDialog
{
    Q_DECLARE_TR_FUNCTIONS(CommonDialog)

public:
    enum Flag : unsigned {
        OverwritePrompt = 0x1,
    };

    virtual ~CommonDialog() = default;

    QString dialogTitle;
    QString filter; // "label|pattern", as many pairs as needed
    QString defaultExt;
    QString fileName;
    QString initDir;
    unsigned flags = 0;

    // Show the dialog modally over owner. On acceptance fileName holds the chosen
    // path and the result is true; on cancel nothing changes and it is false
    // (a cancel is no failure).
    bool showOpen(QWidget *owner) { return show(owner, false); }
    bool showSave(QWidget *owner) { return show(owner, true); }

    // The question asked before a chosen path that exists is written to. It
    // says what is there: a FIFO or a device is written into, not replaced.
    static QString overwriteQuestion(const QString &path);

protected:
    virtual bool show(QWidget *owner, bool save) = 0;
    // Asks a yes/no question over the dialog; true for yes.
    virtual bool ask(QWidget *owner, const QString &question) = 0;
    // For a path chosen in a save dialog: with OverwritePrompt, a path that
    // exists is used only once the user has said yes to overwriteQuestion().
    bool mayWrite(QWidget *owner, const QString &path);
};

// Qt's own (non-native) file dialog, in Japanese through the loaded translation.
class QtCommonDialog : public CommonDialog
{
protected:
    bool show(QWidget *owner, bool save) override;
    bool ask(QWidget *owner, const QString &question) override;
};
