// Start-up and shutdown: what the window restores when it opens and saves when it closes.
#include "gui/wireProbeDeskForm.h"

#include "Version.h"
#include "core/ExchangeEngine.h"
#include "gui/CompareForm.h"
#include "gui/DetailsForm.h"
#include "gui/HistoryForm.h"
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

void wireProbeDeskForm::restoreSettings()
{
    setWindowTitle(QStringLiteral(WPD_APP_TITLE) + QStringLiteral("   Ver. ") + QString::number(WPD_VERSION_MAJOR)
                   + QLatin1Char('.') + QString::number(WPD_VERSION_MINOR) + QLatin1Char('.')
                   + QString::number(WPD_VERSION_PATCH));

    m_storedOuter = QRectF(m_settings.get(Settings::MainLeft), m_settings.get(Settings::MainTop),
                           m_settings.get(Settings::MainWidth), m_settings.get(Settings::MainHeight));
    applyStoredGeometry();

    const int stat = m_settings.get(Settings::MainStat);
    if (stat == 2)
        setWindowState(Qt::WindowMaximized);
    else if (stat == 1)
        setWindowState(Qt::WindowMinimized);

    m_timeOutSlider->setValue(m_settings.get(Settings::TimeOut));
    Twips::setLeft(m_imgSplitter, m_settings.get(Settings::MainX));

    for (auto [box, key] : {std::pair{m_addressCmb, &Settings::address}, std::pair{m_portCmb, &Settings::port}}) {
        for (int i = 0; i < Settings::HistoryLength; ++i) {
            const QString v = m_settings.get(key(i));
            if (i < box->count())
                box->setItemText(i, v);
            else
                box->addItem(v);
        }
    }
    m_addressCmb->setEditText(m_addressCmb->itemText(0));
    m_portCmb->setEditText(m_portCmb->itemText(0));
    m_details->restore(m_settings);
    restoreHistorySettings();
    showOptionsSummary();
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
    if (windowState() & Qt::WindowMinimized)
        return;
    // One write for all keys: each sync of the store waits for the disk.
    Settings::Section &s = m_settings;
    const QRect outer = frameGeometry();
    s.put(Settings::MainLeft, Twips::fromPixels(this, outer.left()));
    s.put(Settings::MainTop, Twips::fromPixels(this, outer.top()));
    s.put(Settings::MainWidth, Twips::fromPixels(this, outer.width()));
    s.put(Settings::MainHeight, Twips::fromPixels(this, outer.height()));
    s.put(Settings::MainStat, (windowState() & Qt::WindowMaximized) ? 2 : 0);
    s.put(Settings::TimeOut, m_timeOutSlider->value());
    s.put(Settings::MainX, Twips::left(m_imgSplitter));
    for (int i = 0; i < Settings::HistoryLength; ++i)
        s.put(Settings::address(i), m_addressCmb->itemText(i));
    for (int i = 0; i < Settings::HistoryLength; ++i)
        s.put(Settings::port(i), m_portCmb->itemText(i));
    m_details->save(s);
    saveHistorySettings();
    s.sync();
}

void wireProbeDeskForm::closeEvent(QCloseEvent *e)
{
    if (!m_closed) {
        m_closed = true;
        // A running exchange ends here: nothing may arrive or tick after the close.
        m_engine->abort();
        m_selectionTimer.stop();
        m_details->close();
        m_history->close();
        m_compare->close();
        // An exchange cut short by the close is history too.
        recordExchange(HistoryEntry::Outcome::Interrupted);
        saveSettings();
    }
    e->accept();
}
