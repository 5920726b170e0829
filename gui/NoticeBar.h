#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

// A notice laid over the top edge of the panes: its text, one button
// that applies a fix, and × to close it. Not modal; one at a time, the newest
// replacing the one shown.
class NoticeBar : public QFrame
{
    Q_OBJECT
public:
    explicit NoticeBar(QWidget *parent = nullptr);

    // Shows the notice; fix runs when the button is pressed, after the bar has closed.
    void post(const QString &text, const QString &action, std::function<void()> fix);
    void dismiss();
    QString text() const;
    QPushButton *button() const { return m_button; }
    // The height the whole text needs at this width.
    int heightFor(int width) const;

private:
    QLabel *m_text;
    QPushButton *m_button;
    QToolButton *m_close;
    std::function<void()> m_fix;
};
