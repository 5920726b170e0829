#pragma once

#include "core/ResponseText.h"
#include "gui/ResponseLayout.h"
#include "gui/ScrollUnits.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPair>
#include <QTimer>

class ExchangeEngine;
class QLabel;
class QMenu;
class QPlainTextEdit;
class RawTextPane;

// The response pane. It draws the kept response bytes as text in the chosen
// encoding, only the rows in sight, over a line index built as the bytes
// arrive, so neither its memory nor its speed depends on the response's size.
// Selection, copy and the caret work on byte positions; copying gives the
// text with its line ends as a plain text edit copies them.
//
// The first edit (a typed key, paste, cut or delete) turns the pane into an
// ordinary editor holding the decoded text with the edit applied, for
// responses up to EditLimit; the arrivals never enter its undo history. Above
// that size an edit is refused with a message in the pane.
class ResponseView : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(QString plainText READ plainText)
public:
    static constexpr qint64 EditLimit = qint64(16) << 20;

    explicit ResponseView(QWidget *parent = nullptr);
    ~ResponseView() override;

    // Shows the engine's response and follows its exchanges: emptied when it
    // forgets one, growing as bytes arrive, ended with the exchange.
    void follow(const ExchangeEngine *engine);
    // The bytes stay owned by the caller and only grow until restart().
    void setSource(const QByteArray *bytes);
    // The bytes were emptied for a new exchange: any edit is dropped.
    void restart();
    // The bytes grew; ended: no more will come.
    void grew(bool ended = false);
    void setEncoding(const QString &name);
    void setWrap(bool on);
    bool wrap() const { return m_wrap; }
    const ResponseText &text() const { return m_text; }

    // The whole text as shown (decoded, or as edited).
    QString plainText() const;
    bool isEmpty() const;
    // The pane's text API as the request pane has it: rawText() is
    // plainText(); setRawText() replaces the text as an edit would.
    QString rawText() const { return plainText(); }
    void setRawText(const QString &text);
    // Bytes drawn at the last paint.
    qint64 shownBytes() const { return m_shown; }

    // Selects the bytes begin..end (widened to whole characters) and scrolls
    // them into view.
    void selectBytes(qint64 begin, qint64 end);
    // Marks these byte ranges (search matches), in order; empty clears.
    void setHighlights(const QList<QPair<qint64, qint64>> &byteRanges);
    const QList<QPair<qint64, qint64>> &highlights() const { return m_highlights; }
    qint64 cursorByte() const { return m_cursor; }
    QPair<qint64, qint64> selectedBytes() const;
    QString selectedText() const;
    void selectAll();
    void copy();
    void scrollToEnd();
    // The pane's own menu (undo, redo, cut, copy, paste, delete, select all),
    // for a caller to add to; the caller owns it.
    QMenu *createStandardContextMenu();

    // Editing: the editor while the pane is one, nullptr before.
    QPlainTextEdit *editor() const;
    // The pane differs from what arrived.
    bool isEdited() const;
    // The edited text still shows U+FFFD for bytes the encoding could not decode.
    bool editShowsUndecodable() const;

public slots:
    // Shows the received bytes again, the edit dropped.
    void revert();

signals:
    void editedChanged(bool edited);

protected:
    bool event(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void timerEvent(QTimerEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    using Row = ResponseLayout::Row;

    // Layout and scrolling
    void relayout();
    // Brings the scroll bars and the rows in sight up to the bytes taken in.
    void refresh();
    void updateScrollBars();
    void buildFrame();
    QList<Row> rowsFrom(const Row &top, qreal height);
    void setTop(const Row &row);
    void scrollRows(qint64 rows);
    void settleTop();
    void jumpTo(int barValue);
    qreal textWidth() const;
    qreal margin() const;
    qreal hOffset() const;

    // Caret and selection
    // The byte under a point; *rowEnd: it ends a wrapped row there.
    qint64 byteAt(const QPoint &pos, bool *rowEnd = nullptr);
    int frameRowOf(qint64 pos) const;
    qreal caretX(const Row &row, qint64 pos) const;
    qint64 stepChar(qint64 pos, bool forward, bool words) const;
    void moveCursor(qint64 pos, bool extend);
    void ensureVisible(qint64 pos);
    bool stepCursor(QKeyEvent *e);
    Row rowOfCursor();
    void autoScroll();
    void selectWordAt(qint64 pos);
    void restartBlink();

    // Editing
    static bool editsText(QKeyEvent *e);
    bool startEditing(bool anySize = false);
    void showNotice(const QString &text);
    void updateEditNote();
    void forwardToEditor(QEvent *e);
    void addEditActions(QMenu *menu);

    const QByteArray *m_bytes = nullptr;
    ResponseText m_text;
    ResponseLayout m_layout;
    ScrollUnits m_units;
    bool m_wrap = true;
    qint64 m_knownLines = 1;

    qint64 m_top = 0;   // first byte of the top row
    QList<Row> m_frame; // the rows in sight, top first
    bool m_frameValid = false;
    bool m_frameFills = false; // the rows in sight fill the pane
    QTimer m_refresh;
    qint64 m_barScale = 1;
    qint64 m_hScale = 1;
    bool m_syncingBars = false;
    qint64 m_shown = 0;

    qint64 m_anchor = 0;
    qint64 m_cursor = 0;
    qreal m_goalX = -1;
    bool m_atRowEnd = false; // the caret shows at the end of a wrapped row, not the next one's start
    int m_wheelRemainder = 0;
    bool m_dragging = false;
    QPoint m_dragPos;
    QTimer m_autoScroll;
    QBasicTimer m_blink;
    bool m_caretOn = true;
    QList<QPair<qint64, qint64>> m_highlights;

    QWidget *m_editPanel = nullptr;
    QLabel *m_editNote = nullptr;
    RawTextPane *m_editor = nullptr;
    bool m_undecodable = false;
    QLabel *m_notice = nullptr;
    QTimer m_noticeTimer;
};
