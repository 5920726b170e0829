#pragma once

#include "gui/BytePane.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>
#include <QTimer>

class ExchangeEngine;

// A hex dump of an exchange's response as it arrives, or of bytes given. Only
// the rows in sight are ever formatted, so the cost of a paint or of a growth
// notice does not depend on how many bytes there are.
class HexView : public QAbstractScrollArea, public BytePane
{
    Q_OBJECT
public:
    static constexpr int BytesPerRow = 16;
    // Copying more rows than this would build a string of gigabytes.
    static constexpr qint64 MaxCopyRows = 1 << 20;

    struct Selection
    {
        qint64 start = 0;
        qint64 length = 0;
    };

    explicit HexView(QWidget *parent = nullptr);

    // Shows the engine's response and follows its exchanges; the engine must
    // outlive the view.
    void follow(const ExchangeEngine *engine);
    // Shows these bytes (shared, not copied) instead.
    void setBytes(const QByteArray &bytes);

    Selection selection() const;
    void selectAll();
    // Copies the text of every row the selection touches, one row a line.
    void copy();

    // One row exactly as drawn; empty past the end.
    static QString rowText(QByteArrayView bytes, qint64 row);

    // The find bar's way in.
    QAbstractScrollArea *area() override { return this; }
    const QByteArray *shownBytes() const override;
    ByteSearch::Match selectedBytes() const override;
    // Selects the bytes [begin, end) and scrolls them into sight.
    void selectBytes(qint64 begin, qint64 end) override;
    void setHighlights(const QList<QPair<qint64, qint64>> &ranges) override;

protected:
    bool event(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    QByteArrayView data() const;
    // The bytes grew, or were replaced or cleared.
    void dataChanged();
    void reset();
    qint64 dataSize() const { return data().size(); }
    qint64 rowCount() const { return (dataSize() + BytesPerRow - 1) / BytesPerRow; }
    int fullRowsInView() const;
    qint64 maxTopRow() const;
    void setTopRow(qint64 row);
    int toBar(qint64 row) const;
    qint64 fromBar(int value) const;
    void updateMetrics();
    void updateScrollBars();

    qreal hexX(int column) const;
    qreal asciiX(int column) const;
    qint64 byteAt(QPoint pos) const;
    void moveCursorTo(qint64 byte, bool extend);
    void ensureCursorVisible();
    void autoScroll();

    const ExchangeEngine *m_engine = nullptr;
    QByteArray m_bytes;
    QList<QPair<qint64, qint64>> m_highlights;
    // What the last notice saw, to tell what changed.
    qint64 m_knownSize = 0;
    const char *m_knownBytes = nullptr;

    qint64 m_topRow = 0;
    bool m_syncingBars = false;
    int m_wheelRemainder = 0;

    qint64 m_anchor = 0;
    qint64 m_cursor = 0;
    bool m_hasSelection = false;
    bool m_dragging = false;
    QPoint m_dragPos;
    QTimer m_autoScroll;

    int m_digits = 8;
    qreal m_charWidth = 8;
    int m_lineHeight = 16;
    int m_ascent = 12;
};
