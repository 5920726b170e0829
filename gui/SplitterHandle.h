#pragma once

#include <QWidget>

// The invisible hit area between the panes. Reports pointer press, move and
// release with the horizontal position in twips relative to its left edge;
// Qt gives it the pointer capture from press to release.
class SplitterHandle : public QWidget
{
    Q_OBJECT
public:
    explicit SplitterHandle(QWidget *parent = nullptr);

signals:
    void mouseDown(float x);
    void mouseMove(float x);
    void mouseUp(float x);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    float twipsX(const QMouseEvent *e) const;
};
