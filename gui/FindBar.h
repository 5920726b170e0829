#pragma once

#include "core/ByteSearch.h"

#include <QFrame>
#include <QPointer>
#include <QTimer>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class FindTarget;

// The find bar: laid over the bottom edge of the pane it searches, so nothing
// else in the window moves. The search runs in bounded steps; the count comes
// when it is ready, the first match at or after the cursor is selected as soon
// as it is found, and every match is marked. Esc closes it while it has the
// focus.
class FindBar : public QFrame
{
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

    // Ctrl+F in a target's area opens the bar over it; F3 and Shift+F3 in
    // window go to the next and the previous match.
    void serve(QWidget *window, const QList<FindTarget *> &targets);
    // Shows the bar over the target and puts the focus in the search field.
    void open(FindTarget *target);
    void close();
    FindTarget *target() const { return m_target; }
    void next();
    void previous();

private:
    void restart();
    void place();
    void showCount();
    void progressed();
    void finished();
    // Selects the match at index i of those kept.
    void go(qsizetype i);
    bool eventFilter(QObject *watched, QEvent *e) override;

    QLineEdit *m_text;
    QToolButton *m_previous;
    QToolButton *m_next;
    QCheckBox *m_case;
    QCheckBox *m_hex;
    QLabel *m_count;
    QToolButton *m_close;
    QBoxLayout *m_options;
    QBoxLayout *m_countRow;
    QPointer<FindTarget> m_target;
    QList<FindTarget *> m_targets;
    ByteSearch m_search;
    QTimer m_restart; // a moment after the typing stops
    QString m_error;
    QString m_searched; // the text of the search that runs or ran
    qsizetype m_current = -1;
    // A match to select once the search has found it.
    enum class Pending { None, AtOrAfter, Last };
    Pending m_pending = Pending::None;
    qint64 m_origin = 0; // AtOrAfter: from here
};
