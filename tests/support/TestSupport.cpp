#include "TestSupport.h"

#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"

#include "gui/SplitterHandle.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

bool windowBusy(const QWidget *form)
{
    static const char *const controls[] = {"sendCmd",       "openCmd",    "clearCmd",   "pasteCmd",   "detailsCmd",
                                           "historyCmd",    "saveCmd",    "exitCmd",    "addressCmb", "portCmb",
                                           "TimeOutSlider", "requestTxt", "responseTxt"};
    int disabled = 0;
    for (const char *name : controls) {
        const QWidget *w = form->findChild<QWidget *>(QString::fromLatin1(name));
        if (w && !w->isEnabled())
            ++disabled;
    }
    if (disabled != 0 && disabled != int(std::size(controls)))
        QTest::qFail("some controls take input while others do not", __FILE__, __LINE__);
    return disabled > 0;
}

void FakeMessageBox::showError(QWidget *owner, const QString &text)
{
    texts << text;
    ownerEnabled << (owner ? !windowBusy(owner->window()) : true);
    if (whileOpen)
        whileOpen();
}

int FakeMessageBox::ask(QWidget *, const QString &text, const QStringList &answers)
{
    questions << text;
    return answer < 0 ? int(answers.size()) - 1 : answer;
}

bool FakeMessageBox::confirm(QWidget *, const QString &text)
{
    questions << text;
    return confirmAnswer;
}

bool FakeDialog::show(QWidget *owner, bool save)
{
    shown.append({save, dialogTitle, filter, fileName, initDir, flags});
    const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
    if (answer.isEmpty() || (save && !mayWrite(owner, answer)))
        return false;
    fileName = answer;
    return true;
}

bool FakeDialog::ask(QWidget *, const QString &question)
{
    questions << question;
    return overwriteAnswers.isEmpty() || overwriteAnswers.takeFirst();
}

TestWindow::TestWindow(bool load)
{
    store = std::make_unique<SettingsStore>(configDir.path());
    auto d = std::make_unique<FakeDialog>();
    dialog = d.get();
    form = std::make_unique<wireProbeDeskForm>(store.get(), &box, std::move(d),
                                               configDir.filePath(QStringLiteral("history.sqlite3")));
    const auto find = [this](auto *&to, const char *name) {
        to = form->findChild<std::remove_reference_t<decltype(*to)> *>(QString::fromLatin1(name));
        // Checked in every build: a renamed control must fail by name, not crash later.
        if (!to)
            qFatal("the window has no control named %s of the expected type", name);
    };
    find(sendCmd, "sendCmd");
    find(openCmd, "openCmd");
    find(clearCmd, "clearCmd");
    find(pasteCmd, "pasteCmd");
    find(detailsCmd, "detailsCmd");
    find(saveCmd, "saveCmd");
    find(exitCmd, "exitCmd");
    find(addressCmb, "addressCmb");
    find(portCmb, "portCmb");
    find(TimeOutSlider, "TimeOutSlider");
    find(connectFrm, "connectFrm");
    find(requestFrm, "requestFrm");
    find(responseFrm, "responseFrm");
    find(requestTxt, "requestTxt");
    find(responseTxt, "responseTxt");
    find(picSplitter, "picSplitter");
    find(imgSplitter, "imgSplitter");
    find(statusBar, "statusBar");
    if (load)
        form->restoreSettings();
}

TestWindow::~TestWindow() = default;

QString TestWindow::setting(const QString &key) const
{
    return store->read(QStringLiteral("wireProbeDesk"), QStringLiteral("Settings"), key, QStringLiteral("<absent>"));
}

void TestWindow::setSetting(const QString &key, const QString &value)
{
    store->write(QStringLiteral("wireProbeDesk"), QStringLiteral("Settings"), key, value);
}

void TestWindow::sendTo(const QString &address, const QString &port, const QString &request)
{
    addressCmb->setEditText(address);
    portCmb->setEditText(port);
    requestTxt->setPlainText(request);
    sendCmd->click();
}
