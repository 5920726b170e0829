#pragma once

#include <QLabel>

// A label that shows its text on one line, cut with "…" where it does not
// fit, and the whole text in its tooltip when it is cut. text() stays the
// whole text. Room on its right can be kept free for a widget laid over it.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setReservedRight(int px);
    int reservedRight() const { return m_reserved; }
    // The text on one line: line breaks become blanks.
    QString singleLine() const;
    // The width the whole text needs, frame included.
    int fullWidth() const;
    bool isCut() const;

protected:
    void paintEvent(QPaintEvent *e) override;
    bool event(QEvent *e) override;

private:
    QRect textRect() const;
    int m_reserved = 0;
};
