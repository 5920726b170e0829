#pragma once

#include "gui/CommonDialog.h"
#include "gui/MessageBox.h"
#include "core/SettingsStore.h"
#include "gui/wireProbeDeskForm.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QTcpSocket;

// Records each box instead of showing it, and whether the window was still
// busy (disabled) while it was "open".
class FakeMessageBox : public MessageBox
{
public:
    void showError(QWidget *owner, const QString &text) override;
    QStringList texts;
    QList<bool> ownerEnabled;
    std::function<void()> whileOpen; // runs while the box would be open
};

// Answers each show with the next scripted path ("" = cancel) and records
// what the dialog was given.
class FakeDialog : public CommonDialog
{
public:
    QStringList answers;
    struct Shown {
        bool save;
        QString title, filter, fileName, initDir;
        unsigned flags;
    };
    QList<Shown> shown;

protected:
    bool show(QWidget *owner, bool save) override;
};

// A window over a settings store in a temporary folder, with the fakes above.
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
};

// A loopback server whose behaviour for each connection is a script.
class LoopbackServer : public QObject
{
public:
    using Script = std::function<void(QTcpSocket *, LoopbackServer *)>;
    explicit LoopbackServer(Script script);
    quint16 port() const { return m_server.serverPort(); }
    QByteArray received; // every byte received, over all connections
    int connections = 0;

private:
    QTcpServer m_server;
    Script m_script;
};

// Scripts for common servers.
namespace Scripts {
// Waits for the first bytes, sends each piece in turn (one event-loop turn
// apart), then closes.
LoopbackServer::Script answerAndClose(QList<QByteArray> pieces);
LoopbackServer::Script answerAndKeepOpen(QByteArray answer);
LoopbackServer::Script closeWithoutSending();
LoopbackServer::Script neverAnswer();
}

// Fill in the destination and press Send.
void sendTo(wireProbeDeskForm &f, const QString &address, const QString &port, const QString &request);
// A port that nothing listens on.
quint16 refusedPort();
