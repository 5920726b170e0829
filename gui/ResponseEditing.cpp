// The response pane as an editor: entered by the first edit, left by revert()
// or a new exchange.
#include "gui/ResponseView.h"

#include "core/ExchangeEngine.h"
#include "core/Translation.h"
#include "gui/RawText.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>

QPlainTextEdit *ResponseView::editor() const
{
    return m_editor;
}

bool ResponseView::isEdited() const
{
    return m_editor && m_editor->document()->isModified();
}

bool ResponseView::editShowsUndecodable() const
{
    return isEdited() && m_undecodable
           && m_editor->document()->find(QString(QChar(QChar::ReplacementCharacter))).hasSelection();
}

bool ResponseView::editsText(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Backspace || key == Qt::Key_Delete)
        return true;
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::DeleteEndOfWord)
        || e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfLine))
        return true;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return mods == Qt::NoModifier && !e->text().isEmpty() && e->text().at(0).isPrint();
}

bool ResponseView::startEditing(bool anySize)
{
    if (m_editor)
        return true;
    if (!anySize && m_text.size() > EditLimit) {
        QApplication::beep();
        showNotice(tr("応答メッセージが %1 を超えるため、編集できません。").arg(ExchangeEngine::limitText(EditLimit)));
        return false;
    }
    const QString whole = m_text.text(0, m_text.size());
    m_undecodable = m_text.showsUndecodable(whole);
    const int anchor = RawText::positionOf(whole, m_text.text(0, m_anchor).size());
    const int cursor = RawText::positionOf(whole, m_text.text(0, m_cursor).size());
    const bool focused = hasFocus();

    m_editPanel = new QWidget(this);
    auto *column = new QVBoxLayout(m_editPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_editNote = new QLabel(m_editPanel);
    m_editNote->setObjectName(QStringLiteral("responseEditLbl"));
    m_editNote->setWordWrap(true);
    m_editNote->setAutoFillBackground(true);
    m_editNote->setBackgroundRole(QPalette::ToolTipBase);
    m_editNote->setForegroundRole(QPalette::ToolTipText);
    m_editNote->setMargin(3);
    m_editor = new RawTextPane(m_editPanel);
    m_editor->setObjectName(QStringLiteral("responseEditor"));
    m_editor->setFont(font());
    m_editor->setLineWrapMode(m_wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m_editor->setHorizontalScrollBarPolicy(m_wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_editor->setAccessibleName(accessibleName());
    column->addWidget(m_editNote);
    column->addWidget(m_editor, 1);
    updateEditNote();

    // The received text is where the undo history starts.
    QTextDocument *doc = m_editor->document();
    doc->setUndoRedoEnabled(false);
    m_editor->setRawText(whole);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    QTextCursor c(doc);
    c.setPosition(qMin(anchor, doc->characterCount() - 1));
    c.setPosition(qMin(cursor, doc->characterCount() - 1), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(c);
    connect(doc, &QTextDocument::modificationChanged, this, &ResponseView::editedChanged);
    m_editor->installEventFilter(this);

    // The editor has its own scroll bars.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editPanel->setGeometry(rect());
    m_editPanel->show();
    m_editPanel->raise();
    m_notice->hide();
    // The editor takes the pane's place in the tab order.
    setFocusPolicy(Qt::NoFocus);
    QWidget::setTabOrder(this, m_editor);
    if (focused)
        m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->ensureCursorVisible();
    return true;
}

void ResponseView::updateEditNote()
{
    if (!m_editNote)
        return;
    m_editNote->setText(tr("応答メッセージを編集しています。保存すると、この内容を文字コード %1 で書き込みます"
                           "（Ctrl+Z で編集を取り消せます）。")
                            .arg(m_text.encoding()));
}

void ResponseView::revert()
{
    if (!m_editor)
        return;
    const bool edited = isEdited();
    const bool focused = m_editPanel->isAncestorOf(QApplication::focusWidget());
    m_editor->removeEventFilter(this);
    m_editor->document()->disconnect(this);
    m_editPanel->hide();
    m_editPanel->deleteLater();
    m_editPanel = nullptr;
    m_editNote = nullptr;
    m_editor = nullptr;
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(m_wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (focused)
        setFocus(Qt::OtherFocusReason);
    m_frameValid = false;
    viewport()->update();
    if (edited)
        emit editedChanged(false);
}

void ResponseView::setRawText(const QString &text)
{
    startEditing(true);
    QTextDocument *doc = m_editor->document();
    doc->setUndoRedoEnabled(false);
    m_editor->setRawText(text);
    doc->setUndoRedoEnabled(true);
    doc->setModified(text != m_text.text(0, m_text.size()));
}

void ResponseView::forwardToEditor(QEvent *e)
{
    if (!m_editor)
        return;
    m_editor->setFocus(Qt::OtherFocusReason);
    QCoreApplication::sendEvent(m_editor, e);
}

void ResponseView::inputMethodEvent(QInputMethodEvent *e)
{
    if ((e->commitString().isEmpty() && e->preeditString().isEmpty()) || !startEditing()) {
        e->ignore();
        return;
    }
    forwardToEditor(e);
}

void ResponseView::showNotice(const QString &text)
{
    m_notice->setText(text);
    const QRect area = viewport()->geometry();
    m_notice->setGeometry(area.x(), area.y(), area.width(), m_notice->heightForWidth(area.width()));
    m_notice->show();
    m_notice->raise();
    m_noticeTimer.start();
}

bool ResponseView::eventFilter(QObject *watched, QEvent *e)
{
    // Whoever watches the pane's focus sees the editor's as the pane's.
    if (watched == m_editor && e->type() == QEvent::FocusIn) {
        QFocusEvent same(QEvent::FocusIn, static_cast<QFocusEvent *>(e)->reason());
        QCoreApplication::sendEvent(this, &same);
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

void ResponseView::addEditActions(QMenu *menu)
{
    // The entries and texts of a plain text edit's own menu.
    const auto add = [this, menu](const char *text, QKeySequence::StandardKey key, bool enabled, auto run) {
        QString label = Translation::qtText("QWidgetTextControl", text);
        const QKeySequence keys(key);
        if (!keys.isEmpty())
            label += QLatin1Char('\t') + keys.toString(QKeySequence::NativeText);
        QAction *a = menu->addAction(label, this, run);
        a->setEnabled(enabled);
    };
    const QPair<qint64, qint64> s = selectedBytes();
    const bool selected = s.second > s.first;
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    const auto sendKey = [this](int key, Qt::KeyboardModifiers mods) {
        if (!startEditing())
            return;
        QKeyEvent press(QEvent::KeyPress, key, mods);
        forwardToEditor(&press);
    };
    add("&Undo", QKeySequence::Undo, false, [] {});
    add("&Redo", QKeySequence::Redo, false, [] {});
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, selected, [sendKey] { sendKey(Qt::Key_X, Qt::ControlModifier); });
    add("&Copy", QKeySequence::Copy, selected, [this] { copy(); });
    add("&Paste", QKeySequence::Paste, clip && clip->hasText(), [this] {
        if (startEditing())
            m_editor->paste();
    });
    add("Delete", QKeySequence::UnknownKey, selected, [sendKey] { sendKey(Qt::Key_Delete, Qt::NoModifier); });
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, !isEmpty(), [this] { selectAll(); });
}
