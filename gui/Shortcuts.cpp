// Keys beyond the tab order, and the time-out's value shown while it is set.
#include "gui/wireProbeDeskForm.h"

#include "gui/FindBar.h"
#include "gui/ResponseFind.h"
#include "gui/TextPaneFind.h"

#include <QEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

namespace {

// Where the slider's handle is, in global coordinates, to show its value there.
QPoint handlePoint(QSlider *slider)
{
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.tickPosition = slider->tickPosition();
    const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider);
    return slider->mapToGlobal(handle.center() + QPoint(0, handle.height()));
}

} // namespace

void wireProbeDeskForm::addShortcuts()
{
    // Each shortcut works only when its button could be clicked.
    const auto bind = [this](const QList<QKeySequence> &keys, QPushButton *button) {
        for (const QKeySequence &k : keys) {
            auto *s = new QShortcut(k, this);
            s->setContext(Qt::WindowShortcut);
            connect(s, &QShortcut::activated, button, [button] {
                if (button->isEnabled())
                    button->click();
            });
        }
    };
    bind({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}, m_sendCmd);
    bind({QKeySequence(Qt::CTRL | Qt::Key_O)}, m_openCmd);
    bind({QKeySequence(Qt::CTRL | Qt::Key_S)}, m_saveCmd);
    bind({QKeySequence(Qt::CTRL | Qt::Key_D)}, m_detailsCmd);
    bind({QKeySequence(Qt::CTRL | Qt::Key_H)}, m_historyCmd);
    // 要求を保存 has no button: the request pane's context menu and this key.
    auto *saveRequestKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    saveRequestKey->setContext(Qt::WindowShortcut);
    connect(saveRequestKey, &QShortcut::activated, this, [this] {
        if (!isBusy())
            saveRequest();
    });
    m_findBar->serve(this, {m_requestFind, m_responseFind});

    const auto showValue = [this] {
        QToolTip::showText(handlePoint(m_timeOutSlider), tr("%1 秒").arg(m_timeOutSlider->sliderPosition()),
                           m_timeOutSlider);
    };
    connect(m_timeOutSlider, &QSlider::sliderMoved, this, showValue);
    connect(m_timeOutSlider, &QSlider::sliderPressed, this, showValue);
    connect(m_timeOutSlider, &QSlider::valueChanged, this, [this, showValue] {
        if (m_timeOutSlider->hasFocus() || m_timeOutSlider->underMouse())
            showValue();
    });
    m_timeOutSlider->setAttribute(Qt::WA_Hover);
    m_timeOutSlider->installEventFilter(this);
}
