// Start-up and shutdown: what the window restores when it opens and saves when it closes.
#include "window/wireProbeDeskForm.h"

#include "Version.h"
#include "app/SettingsValues.h"
#include "platform/SettingsStore.h"
#include "platform/Winsock.h"
#include "window/SplitterHandle.h"
#include "window/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>

namespace {
const QString App = QStringLiteral(WPD_APP_TITLE);
const QString Section = QStringLiteral("Settings");
constexpr int HistoryKeys = 5;
} // namespace

QString wireProbeDeskForm::readSetting(const QString &key, const QString &defaultValue) const
{
    return m_store->read(App, Section, key, defaultValue);
}

void wireProbeDeskForm::writeSetting(const QString &key, const QString &value)
{
    m_store->write(App, Section, key, value);
}

QString wireProbeDeskForm::programFolder() const
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void wireProbeDeskForm::Form_Load()
{
    using namespace SettingsValues;
    setWindowTitle(App + QStringLiteral("   Ver. ") + QString::number(WPD_VERSION_MAJOR) + QLatin1Char('.')
                   + QString::number(WPD_VERSION_MINOR) + QLatin1Char('.') + QString::number(WPD_VERSION_PATCH));

    const float left = parseSingle(readSetting(QStringLiteral("MainLeft"), QStringLiteral("800")), 800);
    const float top = parseSingle(readSetting(QStringLiteral("MainTop"), QStringLiteral("800")), 800);
    const float width = parseSingle(readSetting(QStringLiteral("MainWidth"), QStringLiteral("8130")), 8130);
    const float height = parseSingle(readSetting(QStringLiteral("MainHeight"), QStringLiteral("6555")), 6555);
    m_storedOuter = QRectF(left, top, width, height);
    applyStoredGeometry();

    const int stat = parseInt(readSetting(QStringLiteral("MainStat"), QStringLiteral("0")), 0, -32768, 32767);
    if (stat == 2)
        setWindowState(Qt::WindowMaximized);
    else if (stat == 1)
        setWindowState(Qt::WindowMinimized);

    TimeOutSlider->setValue(parseInt(readSetting(QStringLiteral("TimeOut"), QStringLiteral("10")), 10, 1, 60));
    Twips::setLeft(imgSplitter, parseSingle(readSetting(QStringLiteral("MainX"), QStringLiteral("3840")), 3840));

    for (auto [box, prefix] : {std::pair{addressCmb, QStringLiteral("Address")}, std::pair{portCmb, QStringLiteral("Port")}}) {
        for (int i = 0; i < HistoryKeys; ++i) {
            const QString v = readSetting(prefix + QString::number(i + 1), QString());
            if (i < box->count())
                box->setItemText(i, v);
            else
                box->addItem(v);
        }
    }
    addressCmb->setEditText(addressCmb->itemText(0));
    portCmb->setEditText(portCmb->itemText(0));
    Timer.setInterval(10);
}

void wireProbeDeskForm::applyStoredGeometry()
{
    const QRectF &o = m_storedOuter;
    QRect outer(Twips::toPixels(this, static_cast<float>(o.left())), Twips::toPixels(this, static_cast<float>(o.top())),
                Twips::toPixels(this, static_cast<float>(o.width())), Twips::toPixels(this, static_cast<float>(o.height())));
    // A window left on a screen that is no longer there could never be reached.
    bool reachable = false;
    for (const QScreen *s : QGuiApplication::screens())
        reachable = reachable || s->availableGeometry().intersects(outer);
    if (!reachable && QGuiApplication::primaryScreen())
        outer.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    const QSize frame = frameGeometry().size() - size();
    move(outer.topLeft());
    resize(qMax(1, outer.width() - frame.width()), qMax(1, outer.height() - frame.height()));
    // Until the window manager has framed the window its frame is unknown; the
    // size is given again once it is.
    m_outerPending = frame.isNull();
}

void wireProbeDeskForm::settleOuterSize()
{
    if (!m_outerPending || windowState() != Qt::WindowNoState)
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isNull())
        return;
    m_outerPending = false;
    resize(qMax(1, Twips::toPixels(this, static_cast<float>(m_storedOuter.width())) - frame.width()),
           qMax(1, Twips::toPixels(this, static_cast<float>(m_storedOuter.height())) - frame.height()));
}

void wireProbeDeskForm::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    settleOuterSize();
}

void wireProbeDeskForm::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void wireProbeDeskForm::Form_Unload()
{
    using namespace SettingsValues;
    if (windowState() & Qt::WindowMinimized)
        return;
    const QRect outer = frameGeometry();
    writeSetting(QStringLiteral("MainLeft"), formatSingle(Twips::fromPixels(this, outer.left())));
    writeSetting(QStringLiteral("MainTop"), formatSingle(Twips::fromPixels(this, outer.top())));
    writeSetting(QStringLiteral("MainWidth"), formatSingle(Twips::fromPixels(this, outer.width())));
    writeSetting(QStringLiteral("MainHeight"), formatSingle(Twips::fromPixels(this, outer.height())));
    writeSetting(QStringLiteral("MainStat"), formatInt((windowState() & Qt::WindowMaximized) ? 2 : 0));
    writeSetting(QStringLiteral("TimeOut"), formatInt(TimeOutSlider->value()));
    writeSetting(QStringLiteral("MainX"), formatSingle(Twips::left(imgSplitter)));
    for (int i = 0; i < HistoryKeys; ++i)
        writeSetting(QStringLiteral("Address") + QString::number(i + 1), addressCmb->itemText(i));
    for (int i = 0; i < HistoryKeys; ++i)
        writeSetting(QStringLiteral("Port") + QString::number(i + 1), portCmb->itemText(i));
}

void wireProbeDeskForm::closeEvent(QCloseEvent *e)
{
    if (!m_unloaded) {
        m_unloaded = true;
        // A running exchange ends here: nothing may arrive or tick after the close.
        endExchange();
        Timer.stop();
        Form_Unload();
    }
    e->accept();
}
