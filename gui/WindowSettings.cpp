// Start-up and shutdown: what the window restores when it opens and saves when it closes.
#include "gui/wireProbeDeskForm.h"

#include "Version.h"
#include "core/SettingsValues.h"
#include "core/SettingsStore.h"
#include "core/ExchangeEngine.h"
#include "gui/DetailsForm.h"
#include "gui/Layout.h"
#include "gui/SplitterHandle.h"
#include "gui/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>

#include <cmath>

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

void wireProbeDeskForm::restoreSettings()
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

    m_timeOutSlider->setValue(parseInt(readSetting(QStringLiteral("TimeOut"), QStringLiteral("10")), 10, 1, 60));
    Twips::setLeft(m_imgSplitter, parseSingle(readSetting(QStringLiteral("MainX"), QStringLiteral("3840")), 3840));

    for (auto [box, prefix] : {std::pair{m_addressCmb, QStringLiteral("Address")}, std::pair{m_portCmb, QStringLiteral("Port")}}) {
        for (int i = 0; i < HistoryKeys; ++i) {
            const QString v = readSetting(prefix + QString::number(i + 1), QString());
            if (i < box->count())
                box->setItemText(i, v);
            else
                box->addItem(v);
        }
    }
    m_addressCmb->setEditText(m_addressCmb->itemText(0));
    m_portCmb->setEditText(m_portCmb->itemText(0));
    m_details->restore([this](const QString &key, const QString &def) { return readSetting(key, def); });
}

void wireProbeDeskForm::applyStoredGeometry()
{
    // Stored values can be anything: they are bounded in twips before any
    // pixel arithmetic, then the size to the screen the window lands on. A
    // window larger than any screen cannot even be painted.
    const auto bounded = [](double t) { return static_cast<float>(qBound(-1e8, t, 1e8)); };
    const QRectF &o = m_storedOuter;
    QRect outer(Twips::toPixels(this, bounded(o.left())), Twips::toPixels(this, bounded(o.top())),
                Twips::toPixels(this, bounded(o.width())), Twips::toPixels(this, bounded(o.height())));
    const QScreen *screen = nullptr;
    for (QScreen *s : QGuiApplication::screens())
        if (!screen && s->availableGeometry().intersects(outer))
            screen = s;
    // A window left on a screen that is no longer there could never be reached.
    if (!screen && (screen = QGuiApplication::primaryScreen()))
        outer.moveTopLeft(screen->availableGeometry().topLeft());
    const int minW = static_cast<int>(std::ceil(Layout::MinOuterWidth / Twips::perPixel(this)));
    const int minH = static_cast<int>(std::ceil(Layout::MinOuterHeight / Twips::perPixel(this)));
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, minW, minH);
    outer.setWidth(qBound(minW, outer.width(), qMax(minW, avail.width())));
    outer.setHeight(qBound(minH, outer.height(), qMax(minH, avail.height())));
    const QSize frame = frameGeometry().size() - size();
    move(outer.topLeft());
    resize(qMax(1, outer.width() - frame.width()), qMax(1, outer.height() - frame.height()));
    m_storedOuter.setSize(QSizeF(Twips::fromPixels(this, outer.width()), Twips::fromPixels(this, outer.height())));
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
    if (e->type() == QEvent::WindowStateChange) {
        // A window restored minimized was sized before its frame was known;
        // coming back it may see no move or resize that would settle it.
        settleOuterSize();
        layOutWindow();
    }
}

void wireProbeDeskForm::saveSettings()
{
    using namespace SettingsValues;
    if (windowState() & Qt::WindowMinimized)
        return;
    // One write for all keys: each sync of the store waits for the disk.
    SettingsStore::Values values;
    const auto put = [&values](const QString &key, const QString &value) { values.append({key, value}); };
    const QRect outer = frameGeometry();
    put(QStringLiteral("MainLeft"), formatSingle(Twips::fromPixels(this, outer.left())));
    put(QStringLiteral("MainTop"), formatSingle(Twips::fromPixels(this, outer.top())));
    put(QStringLiteral("MainWidth"), formatSingle(Twips::fromPixels(this, outer.width())));
    put(QStringLiteral("MainHeight"), formatSingle(Twips::fromPixels(this, outer.height())));
    put(QStringLiteral("MainStat"), formatInt((windowState() & Qt::WindowMaximized) ? 2 : 0));
    put(QStringLiteral("TimeOut"), formatInt(m_timeOutSlider->value()));
    put(QStringLiteral("MainX"), formatSingle(Twips::left(m_imgSplitter)));
    for (int i = 0; i < HistoryKeys; ++i)
        put(QStringLiteral("Address") + QString::number(i + 1), m_addressCmb->itemText(i));
    for (int i = 0; i < HistoryKeys; ++i)
        put(QStringLiteral("Port") + QString::number(i + 1), m_portCmb->itemText(i));
    m_details->save(put);
    m_store->write(App, Section, values);
}

void wireProbeDeskForm::closeEvent(QCloseEvent *e)
{
    if (!m_closed) {
        m_closed = true;
        // A running exchange ends here: nothing may arrive or tick after the close.
        m_engine->abort();
        m_selectionTimer.stop();
        m_details->close();
        saveSettings();
    }
    e->accept();
}
