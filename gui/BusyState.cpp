// The busy state and Stop: while a command runs no control takes input,
// except Stop while an exchange runs; Esc stops it too.
#include "gui/wireProbeDeskForm.h"

#include "core/ExchangeEngine.h"
#include "core/HistoryEntry.h"
#include "gui/ElidedLabel.h"
#include "gui/NoticeBar.h"

#include <QKeyEvent>
#include <QPushButton>

void wireProbeDeskForm::enterBusy(bool stoppable)
{
    if (m_busy)
        return;
    m_busy = true;
    // The focus leaves first: disabling the control that holds it would pass
    // it on to a neighbour not yet disabled, whose hint would take the status line.
    if (stoppable) {
        m_stopCmd->show();
        m_stopCmd->raise();
        m_stopCmd->setFocus(Qt::OtherFocusReason);
    } else if (QWidget *f = focusWidget()) {
        f->clearFocus();
    }
    // Every control of the window, also those added later, bar the status
    // line (it takes no input) and Stop.
    for (QWidget *w : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w == m_stopCmd || w == m_statusBar || w->isWindow() || !w->isEnabled())
            continue;
        w->setEnabled(false);
        m_disabledWhileBusy << w;
    }
}

void wireProbeDeskForm::leaveBusy(QWidget *focusTo)
{
    for (const QPointer<QWidget> &w : std::as_const(m_disabledWhileBusy))
        if (w)
            w->setEnabled(true);
    m_disabledWhileBusy.clear();
    m_busy = false;
    if (!focusWidget() || !focusWidget()->hasFocus() || focusWidget() == m_stopCmd)
        focusTo->setFocus(Qt::OtherFocusReason);
    m_stopCmd->hide();
}

void wireProbeDeskForm::stopExchange()
{
    m_engine->stop();
}

void wireProbeDeskForm::showStopped()
{
    recordExchange(HistoryEntry::Outcome::Interrupted);
    setStatus(tr("中止しました。"));
    leaveBusy(m_sendCmd);
}

void wireProbeDeskForm::keyPressEvent(QKeyEvent *e)
{
    // Reaches here when the focused control has no use for Esc.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        if (m_engine->isRunning())
            stopExchange();
        else if (m_noticeBar->isVisible() && m_noticeBar->isEnabled())
            m_noticeBar->dismiss();
        return;
    }
    QWidget::keyPressEvent(e);
}
