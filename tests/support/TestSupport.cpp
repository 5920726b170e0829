#include "TestSupport.h"

#include "gui/RawTextPane.h"

#include <QComboBox>
#include <QPushButton>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

void FakeMessageBox::showError(QWidget *owner, const QString &text)
{
    texts << text;
    ownerEnabled << (owner ? owner->isEnabled() : true);
    if (whileOpen)
        whileOpen();
}

bool FakeDialog::show(QWidget *, bool save)
{
    shown.append({save, dialogTitle, filter, fileName, initDir, flags});
    const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
    if (answer.isEmpty())
        return false;
    fileName = answer;
    return true;
}

TestWindow::TestWindow(bool load)
{
    store = std::make_unique<SettingsStore>(configDir.path());
    auto d = std::make_unique<FakeDialog>();
    dialog = d.get();
    form = std::make_unique<wireProbeDeskForm>(store.get(), &box, std::move(d));
    if (load)
        form->Form_Load();
}

TestWindow::~TestWindow() = default;

QString TestWindow::setting(const QString &key) const
{
    return store->read(QStringLiteral("wireProbeDesk"), QStringLiteral("Settings"), key,
                       QStringLiteral("<absent>"));
}

void TestWindow::setSetting(const QString &key, const QString &value)
{
    store->write(QStringLiteral("wireProbeDesk"), QStringLiteral("Settings"), key, value);
}

LoopbackServer::LoopbackServer(Script script) : m_script(std::move(script))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = m_server.nextPendingConnection()) {
            ++connections;
            QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { received += s->peek(s->bytesAvailable()); });
            m_script(s, this);
        }
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

namespace Scripts {

namespace {
void sendPieces(QTcpSocket *s, QList<QByteArray> pieces)
{
    if (pieces.isEmpty()) {
        s->disconnectFromHost();
        return;
    }
    s->write(pieces.takeFirst());
    s->flush();
    QTimer::singleShot(20, s, [s, pieces] { sendPieces(s, pieces); });
}

// Runs f once the request's first bytes are in.
void onRequest(QTcpSocket *s, std::function<void()> f)
{
    auto fired = std::make_shared<bool>(false);
    QObject::connect(s, &QTcpSocket::readyRead, s, [s, f, fired] {
        if (*fired)
            return;
        *fired = true;
        s->readAll();
        f();
    });
}
} // namespace

LoopbackServer::Script answerAndClose(QList<QByteArray> pieces)
{
    return [pieces](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s, pieces] { sendPieces(s, pieces); }); };
}

LoopbackServer::Script answerAndKeepOpen(QByteArray answer)
{
    return [answer](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s, answer] { s->write(answer); }); };
}

LoopbackServer::Script closeWithoutSending()
{
    return [](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s] { s->disconnectFromHost(); }); };
}

LoopbackServer::Script neverAnswer()
{
    return [](QTcpSocket *, LoopbackServer *) {};
}

} // namespace Scripts

void sendTo(wireProbeDeskForm &f, const QString &address, const QString &port, const QString &request)
{
    f.addressCmb->setEditText(address);
    f.portCmb->setEditText(port);
    f.requestTxt->setPlainText(request);
    f.sendCmd_Click();
}

quint16 refusedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}
