#pragma once

#include <QString>

class QWidget;

// The window's one file dialog, shared by Open and Save. Every property keeps
// the value of its previous use until a command sets it again.
class CommonDialog
{
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

protected:
    virtual bool show(QWidget *owner, bool save) = 0;
};

// Qt's own (non-native) file dialog, in Japanese through the loaded translation.
class QtCommonDialog : public CommonDialog
{
protected:
    bool show(QWidget *owner, bool save) override;
};
