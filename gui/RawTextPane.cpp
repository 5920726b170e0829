#include "gui/RawTextPane.h"

#include "gui/RawText.h"

#include <QAbstractUndoItem>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

RawTextPane::RawTextPane(QWidget *parent) : QPlainTextEdit(parent)
{
    // Word wrapping a long line without blanks is ~150× slower to lay out, and
    // raw SOAP responses are often exactly that.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab walks the window's tab order, as in every other control here.
    setTabChangesFocus(true);
}

QString RawTextPane::rawText() const
{
    return RawText::read(document());
}

void RawTextPane::setRawText(const QString &text)
{
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    clear();
    RawText::append(document(), text);
    document()->setUndoRedoEnabled(undo);
}

void RawTextPane::appendRaw(const QString &text)
{
    RawText::append(document(), text);
}

namespace {

QList<int> blockStates(const QTextDocument *doc)
{
    QList<int> states;
    states.reserve(doc->blockCount());
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next())
        states << b.userState();
    return states;
}

// Undo restores a block's text but not its state, which holds its line end:
// a step that changes line ends only would come back unchanged. These items
// put the states back: the first of a step on undo (it runs last), the last
// on redo (it runs last).
class BlockStates : public QAbstractUndoItem
{
public:
    BlockStates(QTextDocument *doc, QList<int> states, bool onUndo)
        : m_doc(doc), m_states(std::move(states)), m_onUndo(onUndo)
    {}
    void undo() override
    {
        if (m_onUndo)
            apply();
    }
    void redo() override
    {
        if (!m_onUndo)
            apply();
    }

private:
    void apply() const
    {
        QTextBlock b = m_doc->firstBlock();
        for (int state : m_states) {
            if (!b.isValid())
                break;
            b.setUserState(state);
            b = b.next();
        }
    }
    QTextDocument *m_doc;
    QList<int> m_states;
    bool m_onUndo;
};

} // namespace

void RawTextPane::replaceAll(const QString &text)
{
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    QTextCursor c(doc);
    c.beginEditBlock();
    if (undo)
        doc->appendUndoItem(new BlockStates(doc, blockStates(doc), true));
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    RawText::append(doc, text);
    if (undo)
        doc->appendUndoItem(new BlockStates(doc, blockStates(doc), false));
    c.endEditBlock();
    c.movePosition(QTextCursor::Start);
    setTextCursor(c);
}

QMimeData *RawTextPane::createMimeDataFromSelection() const
{
    // A long line cut into blocks is copied as the one line it is.
    const QTextCursor c = textCursor();
    QString text = RawText::read(document(), c.selectionStart(), c.selectionEnd());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto *data = new QMimeData;
    data->setText(text);
    return data;
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
                       && (lineKey || key == Qt::Key_Backspace || key == Qt::Key_Delete || e->matches(QKeySequence::Cut)
                           || (!e->text().isEmpty() && e->text().at(0).isPrint()));
    if (!edits) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    settled([&] { QPlainTextEdit::keyPressEvent(e); }, key == Qt::Key_Backspace ? 1 : 0, key == Qt::Key_Delete ? 1 : 0);
}

void RawTextPane::insertFromMimeData(const QMimeData *source)
{
    settled([&] { QPlainTextEdit::insertFromMimeData(source); }, 0, 0);
}
