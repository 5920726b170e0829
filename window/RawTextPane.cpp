#include "window/RawTextPane.h"

#include "window/RawText.h"

#include <QKeyEvent>
#include <QTextBlock>

RawTextPane::RawTextPane(QWidget *parent) : QPlainTextEdit(parent)
{
    // Word wrapping a long line without blanks is ~150× slower to lay out, and
    // raw SOAP responses are often exactly that.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab walks the window's tab order, as in every other control here.
    setTabChangesFocus(true);
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &RawTextPane::flushQueued);
}

QString RawTextPane::rawText() const
{
    if (m_queued.isEmpty())
        return RawText::read(document());
    return RawText::read(document()) + m_queued;
}

void RawTextPane::setRawText(const QString &text)
{
    m_flushTimer.stop();
    m_queued.clear();
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    clear();
    RawText::append(document(), text);
    document()->setUndoRedoEnabled(undo);
}

void RawTextPane::appendRaw(const QString &text)
{
    flushQueued();
    RawText::append(document(), text);
}

void RawTextPane::queueRaw(const QString &text)
{
    m_queued += text;
    if (!m_flushTimer.isActive())
        m_flushTimer.start(static_cast<int>(qMin<qint64>(2 * m_lastFlushCost, 500)));
}

void RawTextPane::flushQueued()
{
    m_flushTimer.stop();
    if (m_queued.isEmpty())
        return;
    QElapsedTimer t;
    t.start();
    const QString text = std::move(m_queued);
    m_queued = QString();
    RawText::append(document(), text);
    m_lastFlushCost = t.elapsed();
}

template<typename Edit>
void RawTextPane::settled(Edit edit, int extendBack, int extendForward)
{
    // Qt keeps a split block's state on its first half and a merged block's on
    // the first block; the terminator that was at the end of the edited range
    // belongs at the end of what replaces it, and new breaks are typed ones.
    QTextCursor c = textCursor();
    int start = c.selectionStart();
    int end = c.selectionEnd();
    if (start == end) {
        start = qMax(0, start - extendBack);
        end = qMin(document()->characterCount() - 1, end + extendForward);
    }
    const int startBlock = document()->findBlock(start).blockNumber();
    const int endState = document()->findBlock(end).userState();
    edit();
    RawText::settleEdit(document(), startBlock, textCursor().blockNumber(), endState);
}

void RawTextPane::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const bool lineKey = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool edits = !isReadOnly()
                       && (lineKey || key == Qt::Key_Backspace || key == Qt::Key_Delete
                           || e->matches(QKeySequence::Cut)
                           || (!e->text().isEmpty() && e->text().at(0).isPrint()));
    if (!edits) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    settled([&] { QPlainTextEdit::keyPressEvent(e); }, key == Qt::Key_Backspace ? 1 : 0,
            key == Qt::Key_Delete ? 1 : 0);
}

void RawTextPane::insertFromMimeData(const QMimeData *source)
{
    settled([&] { QPlainTextEdit::insertFromMimeData(source); }, 0, 0);
}
