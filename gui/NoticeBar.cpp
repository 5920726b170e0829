#include "gui/NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

NoticeBar::NoticeBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("noticeBar"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xC8));
    p.setColor(QPalette::WindowText, QColor(0x30, 0x28, 0x00));
    setPalette(p);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("noticeLbl"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true); // all of it is read: the bar grows a line rather than cut it
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("noticeCmd"));
    m_button->setAutoDefault(true);
    // A click leaves the focus where it was; Tab reaches the button after 開く.
    m_button->setFocusPolicy(Qt::TabFocus);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("noticeCloseCmd"));
    m_close->setText(QStringLiteral("×"));
    m_close->setToolTip(tr("このお知らせを閉じます（Esc）。"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::NoFocus);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 2, 2);
    row->setSpacing(6);
    row->addWidget(m_text, 1);
    row->addWidget(m_button);
    row->addWidget(m_close);

    connect(m_close, &QToolButton::clicked, this, &NoticeBar::dismiss);
    connect(m_button, &QPushButton::clicked, this, [this] {
        const std::function<void()> fix = std::move(m_fix);
        dismiss();
        if (fix)
            fix();
    });
    hide();
}

void NoticeBar::post(const QString &text, const QString &action, std::function<void()> fix)
{
    m_text->setText(text);
    m_button->setText(action);
    m_fix = std::move(fix);
    if (width() > 0)
        resize(width(), heightFor(width()));
    show();
    raise();
}

int NoticeBar::heightFor(int width) const
{
    return layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
}

void NoticeBar::dismiss()
{
    m_fix = nullptr;
    // Hidden with the focus, the button would pass it on along the tab order,
    // and the next control's hint would take the status line: it goes back instead.
    if (m_button->hasFocus())
        m_button->previousInFocusChain()->setFocus(Qt::BacktabFocusReason);
    hide();
}

QString NoticeBar::text() const
{
    return m_text->text();
}
