#pragma once

#include "Loopback.h"
#include "core/SettingsStore.h"
#include "gui/CommonDialog.h"
#include "gui/MessageBox.h"
#include "gui/wireProbeDeskForm.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;
class RawTextPane;
class ResponseView;
class SplitterHandle;

// Whether the window is busy: none of its controls takes input. A window
// with some controls disabled and others not fails the test.
bool windowBusy(const QWidget *form);

// Records each box instead of showing it, and whether the window was still
// busy while it was "open".
class FakeMessageBox : public MessageBox
{
public:
    void showError(QWidget *owner, const QString &text) override;
    // Questions are answered with confirmAnswer (yes or no) or the answer at
    // index `answer` (-1: the last one), and recorded in questions.
    bool confirm(QWidget *owner, const QString &text) override;
    int ask(QWidget *owner, const QString &text, const QStringList &answers) override;
    bool confirmAnswer = true;
    int answer = -1;
    QStringList questions;
    QStringList texts;
    QList<bool> ownerEnabled;        // false: busy while the box was open
    std::function<void()> whileOpen; // runs while the box would be open
};

// Answers each show with the next scripted path ("" = cancel) and records
// what the dialog was given. A save to a path that exists asks the overwrite
// question as the real dialog does; each is answered by the next of
// overwriteAnswers (yes when none is left).
class FakeDialog : public CommonDialog
{
public:
    QStringList answers;
    QList<bool> overwriteAnswers;
    QStringList questions;
    struct Shown
    {
        bool save;
        QString title, filter, fileName, initDir;
        unsigned flags;
    };
    QList<Shown> shown;

protected:
    bool show(QWidget *owner, bool save) override;
    bool ask(QWidget *owner, const QString &question) override;
};

// A window over a settings store in a temporary folder, with the fakes above,
// and its controls found by their names as a user's tools would.
struct TestWindow
{
    explicit TestWindow(bool load = true);
    ~TestWindow();
    QTemporaryDir configDir;
    std::unique_ptr<SettingsStore> store;
    FakeMessageBox box;
    FakeDialog *dialog;
    std::unique_ptr<wireProbeDeskForm> form;
    QString setting(const QString &key) const; // "<absent>" when absent
    void setSetting(const QString &key, const QString &value);
    // Fills in the destination and the request and presses Send.
    void sendTo(const QString &address, const QString &port, const QString &request);
    bool busy() const { return windowBusy(form.get()); }

    QPushButton *sendCmd, *openCmd, *clearCmd, *pasteCmd, *detailsCmd, *saveCmd, *exitCmd;
    QComboBox *addressCmb, *portCmb;
    QSlider *TimeOutSlider;
    QGroupBox *connectFrm, *requestFrm, *responseFrm;
    RawTextPane *requestTxt;
    ResponseView *responseTxt;
    QWidget *picSplitter;
    SplitterHandle *imgSplitter;
    QLabel *statusBar;
};
