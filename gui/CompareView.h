#pragma once

#include "core/ResponseDiff.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <memory>

// Two texts side by side, one aligned row of the comparison per line, drawn
// only for the rows in sight: a 16 MiB response costs no layout. One scroll
// bar moves both sides. Changed rows show their changed characters.
class CompareView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CompareView(QWidget *parent = nullptr);

    void setResult(std::shared_ptr<const ResponseDiff::Result> result);
    // Brings the row into sight, a few rows below the top, and marks it current.
    void showRow(qint32 row);
    qint32 currentRow() const { return m_current; }
    // The first row in sight.
    qint32 topRow() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateBars();
    void drawSide(QPainter &p, int x, int width, int y, qint32 row, bool left);
    const ResponseDiff::Spans &spans(qint32 row);

    std::shared_ptr<const ResponseDiff::Result> m_result;
    QHash<qint32, ResponseDiff::Spans> m_spans; // for rows drawn so far
    qint32 m_current = -1;
    int m_rowHeight = 16;
    int m_charWidth = 8;
    int m_longest = 0; // characters, for the horizontal bar
};
