#include "gui/FindBar.h"

#include "gui/FindTarget.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QToolButton *button(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}
} // namespace

FindBar::FindBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findTxt"));
    m_text->setPlaceholderText(tr("検索"));
    m_text->setClearButtonEnabled(true);
    m_previous = button(this, "findPrevCmd", QStringLiteral("▲"), tr("前を検索 (Shift+F3)"));
    m_next = button(this, "findNextCmd", QStringLiteral("▼"), tr("次を検索 (F3)"));
    m_case = new QCheckBox(tr("大文字と小文字を区別"), this);
    m_case->setObjectName(QStringLiteral("findCaseChk"));
    m_hex = new QCheckBox(tr("16進"), this);
    m_hex->setObjectName(QStringLiteral("findHexChk"));
    m_hex->setToolTip(tr("検索する値をバイトの16進数で指定します（例: 0d 0a）"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("findCountLbl"));
    m_close = button(this, "findCloseCmd", QStringLiteral("×"), tr("閉じる (Esc)"));
    // The text and its buttons, then the options and the count; the count
    // gets a row of its own where the pane is too narrow for both.
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto *top = new QHBoxLayout;
    top->setSpacing(2);
    top->addWidget(m_text, 1);
    top->addWidget(m_previous);
    top->addWidget(m_next);
    top->addWidget(m_close);
    m_options = new QHBoxLayout;
    m_options->setSpacing(6);
    m_options->addWidget(m_case);
    m_options->addWidget(m_hex);
    m_options->addStretch(1);
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_options->addWidget(m_count);
    m_countRow = new QHBoxLayout;
    rows->addLayout(top);
    rows->addLayout(m_options);
    rows->addLayout(m_countRow);
    hide();

    m_restart.setSingleShot(true);
    m_restart.setInterval(150);
    connect(&m_restart, &QTimer::timeout, this, &FindBar::restart);
    connect(m_text, &QLineEdit::textEdited, &m_restart, qOverload<>(&QTimer::start));
    connect(m_case, &QCheckBox::toggled, this, &FindBar::restart);
    connect(m_hex, &QCheckBox::toggled, this, &FindBar::restart);
    connect(m_next, &QToolButton::clicked, this, &FindBar::next);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::previous);
    connect(m_close, &QToolButton::clicked, this, &FindBar::close);
    connect(&m_search, &ByteSearch::progressed, this, &FindBar::progressed);
    connect(&m_search, &ByteSearch::finished, this, &FindBar::finished);
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, &FindBar::close);
    m_text->installEventFilter(this);
}

void FindBar::serve(QWidget *window, const QList<FindTarget *> &targets)
{
    m_targets = targets;
    for (FindTarget *t : targets) {
        auto *find = new QShortcut(QKeySequence::Find, t->area());
        find->setContext(Qt::WidgetShortcut);
        connect(find, &QShortcut::activated, this, [this, t] { open(t); });
    }
    // The bar's own target while it is open, else the area that has the focus.
    const auto step = [this](bool forward) {
        if (!isVisible()) {
            for (FindTarget *t : std::as_const(m_targets))
                if (t->area()->hasFocus())
                    open(t);
            return;
        }
        forward ? next() : previous();
    };
    auto *f3 = new QShortcut(QKeySequence(Qt::Key_F3), window);
    connect(f3, &QShortcut::activated, this, [step] { step(true); });
    auto *shiftF3 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), window);
    connect(shiftF3, &QShortcut::activated, this, [step] { step(false); });
}

void FindBar::open(FindTarget *target)
{
    const bool same = target == m_target && isVisible();
    if (target != m_target) {
        if (m_target) {
            m_target->setHighlights({});
            m_target->area()->removeEventFilter(this);
            disconnect(m_target, nullptr, this, nullptr);
        }
        m_target = target;
        setParent(target->area());
        target->area()->installEventFilter(this);
        connect(target, &FindTarget::changed, &m_restart, qOverload<>(&QTimer::start));
        connect(target, &FindTarget::grew, &m_search, &ByteSearch::more);
        connect(target, &QObject::destroyed, this, [this] { hide(); });
    }
    m_hex->setVisible(target->offersHex());
    show();
    place();
    show();
    raise();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
    if (!same)
        restart();
}

void FindBar::close()
{
    m_restart.stop();
    m_search.stop();
    m_current = -1;
    if (m_target) {
        m_target->setHighlights({});
        m_target->area()->setFocus(Qt::OtherFocusReason);
    }
    hide();
}

void FindBar::place()
{
    if (!m_target)
        return;
    const QRect port = m_target->area()->viewport()->geometry();
    const int options = m_case->sizeHint().width() + (m_hex->isVisible() ? m_hex->sizeHint().width() : 0)
                        + m_count->fontMetrics().horizontalAdvance(tr("%1 件中 %2 件目").arg(9999).arg(9999)) + 40;
    QBoxLayout *countIn = port.width() >= options ? m_options : m_countRow;
    if (countIn->indexOf(m_count) < 0) {
        m_options->removeWidget(m_count);
        m_countRow->removeWidget(m_count);
        countIn->addWidget(m_count);
    }
    // Over the bottom of the view port, clear of the scroll bars.
    layout()->activate();
    const int h = sizeHint().height();
    setGeometry(port.left(), port.bottom() + 1 - h, port.width(), h);
}

bool FindBar::eventFilter(QObject *watched, QEvent *e)
{
    if (m_target && watched == m_target->area() && e->type() == QEvent::Resize)
        place();
    if (watched == m_text && e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (m_restart.isActive() || m_text->text() != m_searched) // not searched yet
                restart();
            (k->modifiers() & Qt::ShiftModifier) ? previous() : next();
            return true;
        }
    }
    return QFrame::eventFilter(watched, e);
}

void FindBar::restart()
{
    m_restart.stop();
    m_current = -1;
    m_error.clear();
    m_searched = m_text->text();
    if (!m_target)
        return;
    m_target->setHighlights({});
    // A closed bar marks nothing: a new response is not searched behind it.
    if (!isVisible()) {
        m_search.stop();
        return;
    }
    m_origin = m_target->selection().first;
    m_pending = Pending::AtOrAfter;
    if (m_text->text().isEmpty()
        || !m_target->start(m_search, m_text->text(), m_case->isChecked(), m_hex->isVisible() && m_hex->isChecked(),
                            &m_error))
        m_search.stop();
    showCount();
}

void FindBar::progressed()
{
    if (m_pending == Pending::AtOrAfter) {
        const QList<ByteSearch::Match> &all = m_search.matches();
        const auto at = std::lower_bound(all.cbegin(), all.cend(), m_origin,
                                         [](const ByteSearch::Match &m, qint64 o) { return m.first < o; });
        if (at != all.cend()) {
            m_pending = Pending::None;
            go(at - all.cbegin());
        }
    }
    showCount();
}

void FindBar::finished()
{
    // Nothing after the cursor: round to the first; a previous waited for the last.
    const QList<ByteSearch::Match> &all = m_search.matches();
    if (m_pending != Pending::None && !all.isEmpty())
        go(m_pending == Pending::Last ? all.size() - 1 : 0);
    m_pending = Pending::None;
    if (m_target)
        m_target->setHighlights(m_search.matches());
    showCount();
}

void FindBar::go(qsizetype i)
{
    m_current = i;
    if (m_target)
        m_target->select(m_search.matches().at(i));
    showCount();
}

void FindBar::next()
{
    if (!m_target)
        return;
    if (!isVisible()) {
        open(m_target);
        return;
    }
    const QList<ByteSearch::Match> &all = m_search.matches();
    const qint64 from = m_target->selection().second;
    const auto at = std::lower_bound(all.cbegin(), all.cend(), from,
                                     [](const ByteSearch::Match &m, qint64 o) { return m.first < o; });
    if (at != all.cend()) {
        go(at - all.cbegin());
    } else if (m_search.isRunning()) {
        m_origin = from; // the one after comes when it is found
        m_pending = Pending::AtOrAfter;
    } else if (!all.isEmpty()) {
        go(0);
    }
}

void FindBar::previous()
{
    if (!m_target)
        return;
    if (!isVisible()) {
        open(m_target);
        return;
    }
    const QList<ByteSearch::Match> &all = m_search.matches();
    const qint64 before = m_target->selection().first;
    const auto at = std::lower_bound(all.cbegin(), all.cend(), before,
                                     [](const ByteSearch::Match &m, qint64 o) { return m.first < o; });
    if (at != all.cbegin()) {
        go(at - all.cbegin() - 1);
    } else if (m_search.isRunning()) {
        m_pending = Pending::Last; // round to the last, once all are known
    } else if (!all.isEmpty()) {
        go(all.size() - 1);
    }
}

void FindBar::showCount()
{
    QString text;
    const qint64 n = m_search.count();
    const bool running = m_search.isRunning();
    if (!m_error.isEmpty())
        text = m_error;
    else if (m_text->text().isEmpty())
        text.clear();
    else if (n == 0)
        text = running ? tr("検索中…") : tr("見つかりません");
    else if (m_current >= 0)
        text = tr("%1 件中 %2 件目").arg(n).arg(m_current + 1) + (running ? QStringLiteral("…") : QString());
    else
        text = tr("%1 件").arg(n) + (running ? QStringLiteral("…") : QString());
    if (!running && n > m_search.matches().size())
        //: Follows the count at once: the translation starts with its own separator.
        text += tr("（移動できるのは先頭の %1 件まで）").arg(m_search.matches().size());
    m_count->setText(text);
}
