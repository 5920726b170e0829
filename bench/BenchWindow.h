#pragma once

#include "core/SettingsStore.h"
#include "gui/CommonDialog.h"
#include "gui/MessageBox.h"
#include "gui/wireProbeDeskForm.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class RawTextPane;
class ResponseView;

// Counts the boxes instead of showing them.
class SilentBox : public MessageBox
{
public:
    void showError(QWidget *, const QString &text) override
    {
        ++count;
        last = text;
    }
    bool confirm(QWidget *, const QString &) override { return true; }
    int count = 0;
    QString last;
};

// Answers every file dialog with one path; an empty one cancels.
class ScriptedDialog : public CommonDialog
{
public:
    QString answer;

protected:
    bool show(QWidget *, bool) override
    {
        if (answer.isEmpty())
            return false;
        fileName = answer;
        return true;
    }
    bool ask(QWidget *, const QString &) override { return true; } // the bench saves over its own files
};

// The window as a user reaches it: its controls found by name, the handlers
// run by pressing buttons.
struct BenchWindow
{
    BenchWindow();

    QTemporaryDir dir;
    SettingsStore store{dir.path()};
    SilentBox box;
    ScriptedDialog *dialog = new ScriptedDialog;
    wireProbeDeskForm form{&store, &box, std::unique_ptr<CommonDialog>(dialog),
                           dir.filePath(QStringLiteral("history.sqlite3"))};

    QPushButton *sendCmd, *openCmd, *saveCmd, *clearCmd;
    QComboBox *addressCmb, *portCmb, *limitCmb;
    QSlider *timeOutSlider;
    RawTextPane *requestTxt;
    ResponseView *responseTxt;
    QLabel *statusBar;

    // "64 MiB" … "4 GiB", as the details window names them.
    void setLimit(const QString &text);
    // Fills in the destination (and a request when there is none) and presses Send.
    void send(quint16 port);
    // Runs the event loop until done() or the time is up; returns done().
    static bool waitFor(const std::function<bool()> &done, int timeoutMs);
    bool waitEnabled(int timeoutMs);
    // Runs until the exchange has ended and the response pane has stopped
    // growing; returns the seconds from since to the pane's last growth, or a
    // negative number when that did not happen in time.
    double waitShown(const QElapsedTimer &since, int timeoutMs);
    // Whether the response pane shows exactly these bytes (ASCII), read a
    // stretch at a time so that a huge text is never made whole.
    bool responseShows(const QByteArray &bytes) const;
};
